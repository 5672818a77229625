// What the engine and driver tests share beyond the common support library.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "hosts.h"
#include "temp_dir.h"

// Expects `statement` to throw `exception` whose what() is exactly `message`.
#define EXPECT_THROW_MSG(statement, exception, message)                     \
    do {                                                                    \
        try {                                                               \
            statement;                                                      \
            ADD_FAILURE() << "expected " #exception " with: " << (message); \
        } catch (const exception& caught) {                                 \
            EXPECT_EQ(std::string(caught.what()), std::string(message));    \
        }                                                                   \
    } while (false)

// The ten log lines of a completed run.
std::vector<std::string> CompletedLog(int initial, int reduced);

// `count` columns that take one of `signs`, drawn at random, at each of the first `varying`
// positions, and the signs of a fixed column elsewhere.
std::vector<std::string> RandomColumns(std::mt19937& random, std::size_t count,
                                       const std::string& signs, int varying);
