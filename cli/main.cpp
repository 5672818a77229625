#include <iostream>
#include <string>
#include <vector>

#include "driver.h"

int main(int argc, char** argv) {
    return RunDriver(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
