#pragma once

#include <string>

// Desktop GLSL made into GLSL ES 3.00 for WebGL 2: the version line becomes
// "#version 300 es" with float and int precision right after it (after any
// #extension lines that follow it), and the initialisers of `sync_` uniforms,
// which GLSL ES does not allow, are cut (the program sets those values once
// it is linked). Everything else stays as written.
std::string ToGlslEs(const std::string& source);
