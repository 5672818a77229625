// Helpers shared by the engine and driver tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run.h"

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

// A fresh folder, removed with everything in it at the end of the test.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Each line followed by CR LF, as the engine writes column files.
std::string CrLfLines(const std::vector<std::string>& lines);

// Records what a run tells its host.
class TRecordingHost : public TRunHost {
public:
    void AddLogLine(const std::string& text) override { Log.push_back(text); }
    void ShowInfo(const std::string& text) override { Infos.push_back(text); }
    void PumpEvents() override { ++Pumps; }

    std::vector<std::string> Log;
    std::vector<std::string> Infos;
    long long Pumps = 0;
};

// The ten log lines of a completed run.
std::vector<std::string> CompletedLog(int initial, int reduced);
