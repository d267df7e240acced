// kelvora-make-sample-valves FOLDER: writes the sample valve ranges into FOLDER.
#include <fstream>
#include <iostream>

#include "tools/txvalve/samplevalves.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Usage: kelvora-make-sample-valves FOLDER\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    for (const auto& file : SampleValveFiles()) {
        const std::string path = folder + file.fileName;
        std::ofstream out(path, std::ios::binary);
        out << file.text;
        if (!out.flush()) {
            std::cerr << "Cannot write file \"" << path << "\".\n";
            return 2;
        }
    }
    return 0;
}
