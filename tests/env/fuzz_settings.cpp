// libFuzzer target over the settings document Kelvora.json at start and at the end
// of a run.
// Invariants, for any file:
// - the start takes the file's first JSON value when it is an object, otherwise
//   the default document; it never raises;
// - restoring a window position from it never raises;
// - the save at the end writes a file that the next start reads back as the same
//   document.
// Built and run by scripts/fuzz (see there for the options).
#include <cstdint>
#include <string>

#include "tests/support/fuzzscratch.h"
#include "core/jsondoc.h"
#include "env/uglobal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TAppVariables vars;
    vars.app_path = FuzzScratchFolder().string();
    vars.settings_file = FuzzFile(kSettingsFileName, data, size);
    vars.app_name = "Kelvora";
    vars.ver_num = "1.2.0.0";
    vars.computer_user_name = "ann";

    TJsonDoc doc = LoadSettingsDocument(vars);
    FUZZ_CHECK(doc.is_object());
    TFormBounds bounds;
    JsonGetFormPos(doc, "MainForm", bounds);
    JsonGetFormPos(doc, "MeasureForm", bounds);
    JsonPutFormPos(doc, "MainForm", bounds);

    PutAppVariables(doc, vars);
    JsonSaveFile(doc, vars.settings_file);
    const TJsonDoc next = LoadSettingsDocument(vars);
    FUZZ_CHECK(JsonSaveText(next) == JsonSaveText(doc));
    return 0;
}
