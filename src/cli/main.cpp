#include "cli/info_request.h"
#include "platform/interruption.h"
#include "platform/program_start.h"
#include "run/converter.h"

int main(int argc, char** argv) {
  const ProgramStart start(&argc, &argv);
  if (argc > 1 && isInfoRequest(argv[1])) return answerInfoRequest(argv[1]);
  handleInterruptions("dgnbin: conversion interrumpida: no se ha cambiado ningun fichero\n");
  Converter converter;
  converter.extraArguments = argc > 2 ? argc - 2 : 0;
  bool completed = converter.runConversion(argc > 1 ? argv[1] : 0);
  return completed ? 0 : 1;
}
