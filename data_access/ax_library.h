// Start and stop of the dbAx layer, the list of live connections, and the
// database platform beneath the layer.
#pragma once

#include <vector>

#include "data_access/platform/database.h"

namespace dbAx {

class CAxConnection;

void AxLibInit();
void AxLibClose();

// The platform the layer creates its objects on: the provider environment
// unless a test or host has put another in place.
platform::Environment& CurrentEnvironment();

// Puts an environment in place for its lifetime (tests, and hosts that bring
// their own database access); the previous one returns afterwards.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(platform::Environment& environment);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    platform::Environment* previous_;
};

namespace library {
// The connections created and not yet destroyed, in creation order.
const std::vector<CAxConnection*>& Connections();
void Enlist(CAxConnection* connection);
void Delist(CAxConnection* connection);
bool Initialised();
}  // namespace library

}  // namespace dbAx
