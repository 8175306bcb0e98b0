#include <iostream>
#include <string>
#include <vector>

#include "tools/orvanectl/Orvanectl.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return orvane::ctl::Executer(args, std::cout, std::cerr);
}
