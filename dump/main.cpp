#include <iostream>

#include "dump/run_dump.h"

int main()
{
    return RunDump(std::cin, std::cout);
}
