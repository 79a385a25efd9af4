#include "engine/core/SystemError.h"

#include "engine/platform/SystemServices.h"

SystemError::SystemError() : code(platform::LastErrorCode()), message(platform::ErrorText(code)) {}
