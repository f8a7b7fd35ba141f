// The subcommands of kelobin, one unit each. Each returns the exit status:
// 0 done, 1 bad input (said on standard error).
#ifndef DGNBIN_KELOBIN_COMMANDS_H_
#define DGNBIN_KELOBIN_COMMANDS_H_

#include <vector>

int runInfo(const char* binName);
int runDump(const char* binName, bool withBytes);
// Coordinates are divided by `scale`; `epsg` 0 writes no CRS member.
int runGeojson(const char* binName, double scale, long epsg);
int runSvg(const char* binName, int width);
// The error files `errNames`, then those named in the file `list` (null:
// none; "-": standard input), one a line.
int runMissing(const std::vector<const char*>& errNames, const char* list, const char* code);

#endif  // DGNBIN_KELOBIN_COMMANDS_H_
