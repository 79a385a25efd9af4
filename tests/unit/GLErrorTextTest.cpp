#include "engine/render/GLErrorText.h"

#include <gtest/gtest.h>

TEST(GLErrorText, KnownCodesFollowThePrefixAfterOneBlank) {
    EXPECT_EQ(GetGLErrorText(0x0502, "An error occurred while linking shader program."),
              "An error occurred while linking shader program. GL_INVALID_OPERATION");
    EXPECT_EQ(GetGLErrorText(0x0500, "P"), "P GL_INVALID_ENUM");
    EXPECT_EQ(GetGLErrorText(0x0505, "P"), "P GL_OUT_OF_MEMORY");
}

TEST(GLErrorText, UnknownCodeIsWrittenInDecimalWithoutABlank) {
    EXPECT_EQ(GetGLErrorText(0x0506, "An error occurred during shader compilation."),
              "An error occurred during shader compilation.Unknown error (1286).");
    EXPECT_EQ(GetGLErrorText(0xFFFFFFFFu, ""), "Unknown error (-1).");
}

TEST(GLErrorText, NoErrorDropsThePrefix) { EXPECT_EQ(GetGLErrorText(0, "anything at all"), "No error."); }
