#pragma once

namespace platform {

// Takes the process-wide guard of the given name. False when another process
// holds it. The OS releases the guard when the process ends, however it ends;
// nothing in the program releases it earlier.
bool AcquireSingleInstance(const char* name);

}
