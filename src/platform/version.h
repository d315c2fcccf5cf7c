// The file version of the main program, read from the version record embedded in the
// "Trimora2" program file beside the running program.
#pragma once

#include <string>

namespace trimora {

// Four decimal numbers joined by "." ("2.0.5.2"); "0.0.0.0" when the file has no record.
std::string ProgramVersion();

// The version record of any program file; "0.0.0.0" when there is none.
std::string FileVersion(const std::string& programPath);

// The program file whose version ProgramVersion reads: "Trimora2" in ProgramFolder().
std::string MainProgramFile();

// Lets tests name another program file for ProgramVersion (and so for the settings key);
// an empty path returns to the "Trimora2" beside the running program.
void SetMainProgramFileForTesting(std::string path);

}  // namespace trimora
