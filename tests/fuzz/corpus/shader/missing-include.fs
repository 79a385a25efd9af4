#include "absent.glsl"
void main() {}
