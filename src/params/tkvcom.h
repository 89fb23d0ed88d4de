#pragma once

// Device operations: each takes port and address from the connection manager, lights the COM
// lamps while it runs and shows its outcome on every error display.

#include "params/parametersatz.h"

int TkvCom_ParameterLesen(Parametersatz* record);
int TkvCom_ParameterSchreiben(const Parametersatz* record);
int TkvCom_ParameterAlsProgrammSpeichern(int program);
int TkvCom_ProgrammLaden(int program);
int TkvCom_GeraetStarten();
int TkvCom_GeraetStoppen();
int TkvCom_StatusLesen(int* status);
int TkvCom_HdxStatusLesen(int module, int* status);
int TkvCom_IstwerteLesen(double* current, double* voltage);
int TkvCom_OutputenableLesen(int* mask);
int TkvCom_OutputenableSchreiben(int mask);
int TkvCom_ProgrammEinstellen(int program);
int TkvCom_ProgrammAbspeichern(int program);
