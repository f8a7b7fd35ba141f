#ifndef DGNBIN_CLI_USAGE_H_
#define DGNBIN_CLI_USAGE_H_

// The text printed when the command line does not hold eight words.
extern const char kUsageText[];

#endif  // DGNBIN_CLI_USAGE_H_
