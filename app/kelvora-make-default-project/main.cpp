// Writes the start-up project: the default cycle, solved with the given library.
// Usage: kelvora-make-default-project LIBRARY OUT
#include <iostream>

#include "core/cycle.h"
#include "core/errors.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "Usage: kelvora-make-default-project LIBRARY OUT\n";
        return 2;
    }
    try {
        TRefrigLib lib(argv[1]);
        TKelvora cycle(lib);
        cycle.SetDefaults();
        cycle.SaveToFile(argv[2]);
    } catch (const KelvoraError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
