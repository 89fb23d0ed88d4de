#pragma once

// The program's data: the table of working parameters and programs, the record the main panel
// edits, the entry it belongs to, and which file all of it came from. A workspace belongs to the
// thread that uses it (the windows', a command's); the device operations hand the line worker a
// copy of what it sends and take what it read back on that thread, so the worker never sees one.

#include <array>
#include <string>

#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "errors/vrl_errors.h"
#include "params/datastate.h"
#include "params/parametersatz.h"

using ProgramTable = std::array<Parametersatz, vrl::params::kTableSize>;

namespace vrl::params {

// Every entry at its defaults, named "Arbeitsparameter" and "Programm 1".."Programm 16".
ProgramTable freshTable();

struct Workspace {
    ProgramTable prog = freshTable();    // entry 0 the working parameters, 1..16 the programs
    Parametersatz parameter = prog[0];   // the record the main panel shows and edits
    int progIndex = 0;                   // the entry `parameter` belongs to
    std::string dateiname = kUnbenannt;  // full path, or "Unbenannt"
    bool datenGeaendert = false;
    std::string paneltitle = "TKV-9D Steuerung";
    // The lower layers' state, which their named functions (VRL_*, VrlCom_*, op::) reach through
    // their own installed pointer: a ScopedWorkspace installs these with itself.
    Messages messages;          // the language and each thread's pending extra line
    com::Link link;             // the open port, the address, the error displays' state
    op::Operations operations;  // the operation that runs and the host that runs line work
};

// The workspace the named functions (Prog_*, Datei_*, ArbeitskopieSpeichern, ...) work on: the
// one installed last, else the process's own.
Workspace& workspace();

// A fresh workspace of its own, installed for the named functions (its messages, link and
// operations too) as long as it lives; the ones installed before come back at its end. The
// window program's, a command's, a test's. Installed before a thread of ours starts.
class ScopedWorkspace : public Workspace {
  public:
    ScopedWorkspace();
    ~ScopedWorkspace();
    ScopedWorkspace(const ScopedWorkspace&) = delete;
    ScopedWorkspace& operator=(const ScopedWorkspace&) = delete;

  private:
    Workspace* previous_;
    Messages* previousMessages_;
    com::Link* previousLink_;
    op::Operations* previousOperations_;
};

}  // namespace vrl::params
