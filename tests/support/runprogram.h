#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "tests/support/tempfolder.h"

// Runs a program as a real process through the shell, its output caught in files
// of the test's folder.
struct TRun {
    int code = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuoted(const std::string& arg)
{
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline TRun RunProgram(TTempFolder& dir, const std::string& program, const std::vector<std::string>& args,
                       const std::string& env = "")
{
    std::string cmd = env + " " + ShellQuoted(program);
    for (const auto& a : args)
        cmd += " " + ShellQuoted(a);
    const std::string out = dir.File("stdout.txt");
    const std::string err = dir.File("stderr.txt");
    cmd += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err) + " </dev/null";
    const int status = std::system(cmd.c_str());
    TRun r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = TTempFolder::Read(out);
    r.err = TTempFolder::Read(err);
    return r;
}
