// The words that ask about the program instead of naming a conversion.
#ifndef DGNBIN_CLI_INFO_REQUEST_H_
#define DGNBIN_CLI_INFO_REQUEST_H_

// True when `word` is exactly "--help", "-h" or "--version".
bool isInfoRequest(const char* word);

// Prints the answer to such a word on standard output: the usage text, or
// the program's name and version. Returns the exit status: 0, or 1 when
// standard output could not be written.
int answerInfoRequest(const char* word);

#endif  // DGNBIN_CLI_INFO_REQUEST_H_
