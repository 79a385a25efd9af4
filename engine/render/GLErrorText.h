#pragma once

#include "engine/render/GLFunctions.h"

#include <string>

// The message for an error code of glGetError, after the caller's prefix.
std::string GetGLErrorText(GLenum code, const std::string& prefix);
