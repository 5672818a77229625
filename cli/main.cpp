#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "driver.h"

int main(int argc, char** argv) {
    TDriverTerminal terminal;
    terminal.ErrIsTerminal = ::isatty(STDERR_FILENO) == 1;
    return RunDriver(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                     terminal);
}
