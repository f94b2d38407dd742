#include "data_access/ax_library.h"

#include <algorithm>

#include "data_access/ax_connection.h"
#include "data_access/ax_exception.h"
#include "data_access/com_runtime.h"
#include "data_access/provider/default_environment.h"

namespace dbAx {
namespace {

// Not guarded: the layer is called from one thread at a time.
struct LibraryState {
    bool initialised = false;
    std::vector<CAxConnection*> connections;
    platform::Environment* environment = nullptr;
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

}  // namespace

platform::Environment& CurrentEnvironment() {
    platform::Environment* environment = State().environment;
    return environment ? *environment : DefaultEnvironment();
}

ScopedEnvironment::ScopedEnvironment(platform::Environment& environment)
    : previous_(std::exchange(State().environment, &environment)) {}

ScopedEnvironment::~ScopedEnvironment() { State().environment = previous_; }

void AxLibInit() {
    LibraryState& state = State();
    if (state.initialised) return;
    const HRESULT comResult = InitializeComRuntime();
    if (kfx::Failed(comResult)) RaiseAxError(AxInitFailed, u"AxLibInit - COM Initialization.", comResult);
    const HRESULT result = CurrentEnvironment().Initialize();
    if (kfx::Failed(result)) {
        UninitializeComRuntime();
        RaiseAxError(AxInitFailed, u"AxLibInit - COM Initialization.", result);
    }
    state.connections.clear();
    state.initialised = true;
}

void AxLibClose() {
    LibraryState& state = State();
    if (!state.initialised) return;
    for (CAxConnection* connection : state.connections) connection->CloseIfOpen();
    state.connections.clear();
    CurrentEnvironment().Uninitialize();
    UninitializeComRuntime();
    state.initialised = false;
}

namespace library {

const std::vector<CAxConnection*>& Connections() { return State().connections; }

void Enlist(CAxConnection* connection) { State().connections.push_back(connection); }

void Delist(CAxConnection* connection) {
    auto& connections = State().connections;
    auto entry = std::find(connections.begin(), connections.end(), connection);
    if (entry != connections.end()) connections.erase(entry);
}

bool Initialised() { return State().initialised; }

}  // namespace library
}  // namespace dbAx
