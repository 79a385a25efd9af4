void main() {}
#include "common.glsl
