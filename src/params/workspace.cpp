#include "params/workspace.h"

namespace vrl::params {

namespace {

// The named functions keep the signatures their callers (panels, the command line) know, so
// they find their data here rather than in an argument. Null: the process's own workspace.
Workspace* gInstalled = nullptr;

Workspace& processWorkspace() {
    static Workspace own;
    return own;
}

}  // namespace

ProgramTable freshTable() {
    ProgramTable table{};  // zeroed: the reserved field goes into files as it stands
    for (int i = 0; i < kTableSize; ++i) {
        Parametersatz& entry = table[static_cast<std::size_t>(i)];
        ParameterVorbelegen(&entry);
        setName(entry, i == 0 ? "Arbeitsparameter" : "Programm " + std::to_string(i));
    }
    return table;
}

Workspace& workspace() {
    return gInstalled ? *gInstalled : processWorkspace();
}

ScopedWorkspace::ScopedWorkspace()
    : previous_(gInstalled),
      previousMessages_(&vrl::messages()),
      previousLink_(&com::link()),
      previousOperations_(&op::operations()) {
    gInstalled = this;
    setMessages(&messages);
    com::setLink(&link);
    op::setOperations(&operations);
}

ScopedWorkspace::~ScopedWorkspace() {
    op::setOperations(previousOperations_);
    com::setLink(previousLink_);
    setMessages(previousMessages_);
    gInstalled = previous_;
}

}  // namespace vrl::params
