#pragma once

#include <string>
#include <vector>

// The sample valve ranges shipped in "Common Files": capacity tables worked out
// from a simple orifice model, clearly labelled as samples and not any maker's
// published data. One range is written in kW, bar and degrees C, one in tons,
// psi and degrees F, one in kW, kPa and degrees C, so that every unit path of the
// valve lookup has real data to run on.
//
// The files in assets/ are the output of kelvora-make-sample-valves; a test
// checks that they still match it.

struct TSampleValveFile {
    std::string fileName;
    std::string text; // INI text, each line ended by CR LF
};

std::vector<TSampleValveFile> SampleValveFiles();
