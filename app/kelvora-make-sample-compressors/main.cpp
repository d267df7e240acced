// Writes the sample compressor data files that an installation ships:
//   kelvora-make-sample-compressors LIBRARY FOLDER
// The build runs it into the build tree; the install step copies the files into
// "Common Files" beside the refrigerant library.
#include <filesystem>
#include <iostream>

#include "core/errors.h"
#include "tools/compressor/samplecompressors.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "Usage: kelvora-make-sample-compressors LIBRARY FOLDER\n";
        return 2;
    }
    try {
        if (!std::filesystem::is_regular_file(argv[1]))
            ThrowCannotOpen(argv[1]);
        std::filesystem::create_directories(argv[2]);
        TRefrigLib lib(argv[1]);
        WriteSampleFiles(lib, argv[2]);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
