// hold_open FILE PROGRAM ARGUMENT: runs PROGRAM with its one ARGUMENT
// while FILE is held open without sharing, as a program showing it may
// hold it; ends with PROGRAM's exit status.
#include <process.h>
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  HANDLE held = CreateFileA(argv[1], GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  if (held == INVALID_HANDLE_VALUE) return 3;
  const std::string argument = std::string("\"") + argv[3] + "\"";
  const intptr_t status = _spawnl(_P_WAIT, argv[2], argv[2], argument.c_str(), NULL);
  CloseHandle(held);
  return static_cast<int>(status);
}
