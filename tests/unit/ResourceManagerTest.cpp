#include "engine/files/FileSystem.h"
#include "engine/files/Image.h"
#include "engine/render/Display.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/Texture.h"
#include "engine/render/TextureManager.h"
#include "tests/unit/FakeGL.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The managers over a device whose GL is fake, reading files from a fresh
// working directory.
class ResourceManagerTest : public ::testing::Test {
protected:
    ResourceManagerTest() : inside(directory.path) {
        engine.fileSystem = &fileSystem;
        engine.display = &display;
        engine.textureManager = &textures;
        engine.shaderManager = &shaders;
        engine.shaderProgramManager = &programs;
    }
    ~ResourceManagerTest() override {
        programs.DestroyAll();
        shaders.DestroyAll();
        display.DestroyAllRenderTargets();
        textures.DestroyAll();
    }

    std::vector<std::string> Texts() const { return engine.sink.Texts(); }
    int CountText(const std::string& text) const {
        int count = 0;
        for (const std::string& line : Texts())
            count += line == text;
        return count;
    }
    // The source the driver was given for the shader behind the reference.
    std::string DriverSource(const ResourceReference& shader) const {
        return fakeGL.shaderSources.at(shader.As<Shader>()->GetGLName());
    }

    FakeGLScope fake;
    TemporaryDirectory directory;
    WorkingDirectoryScope inside;
    TestEngine engine;
    FileSystem fileSystem;
    Display display;
    TextureManager textures;
    ShaderManager shaders;
    ShaderProgramManager programs;
};

TEST_F(ResourceManagerTest, IncludesAreReadFromTheShadersDirectoryOneLevelDeep) {
    WriteTestFile("data/shaders/x.fs", "top\n#include \"common.glsl\" // rest stays\nend");
    WriteTestFile("data/shaders/common.glsl", "COMMON #include \"deeper.glsl\"");
    WriteTestFile("common.glsl", "HERE");
    WriteTestFile("x.fs", "#include \"common.glsl\"");

    ResourceReference nested;
    ASSERT_TRUE(shaders.Load("data/shaders/x.fs", FRAGMENT_SHADER, nested));
    EXPECT_EQ(DriverSource(nested), "top\nCOMMON #include \"deeper.glsl\" // rest stays\nend");

    ResourceReference local;
    ASSERT_TRUE(shaders.Load("x.fs", FRAGMENT_SHADER, local));
    EXPECT_EQ(DriverSource(local), "HERE");
}

TEST_F(ResourceManagerTest, MissingClosingQuoteFailsTheLoad) {
    WriteTestFile("data/shaders/y.vs", "void main() {}\n#include \"common.glsl");
    ResourceReference shader;
    EXPECT_FALSE(shaders.Load("data/shaders/y.vs", VERTEX_SHADER, shader));
    EXPECT_FALSE(shader);
    std::vector<std::string> expected{"Loading shader 'data/shaders/y.vs'...", "Closing include tag is missing.",
                                      "Failed to process shader includes.",
                                      "Cannot load shader source from file 'data/shaders/y.vs'."};
    EXPECT_EQ(Texts(), expected);
    EXPECT_TRUE(shaders.IsEmpty());
}

TEST_F(ResourceManagerTest, UnreadableShaderGivesTwoErrorLinesAndMissingIncludeNamesItsPath) {
    ResourceReference shader;
    EXPECT_FALSE(shaders.Load("data/shaders/none.vs", VERTEX_SHADER, shader));
    EXPECT_EQ(CountText("Cannot load shader source from file 'data/shaders/none.vs'."), 2);
    EXPECT_EQ(engine.sink.levels.back(), LOG_ERROR);

    WriteTestFile("data/shaders/z.vs", "#include \"gone.glsl\"");
    EXPECT_FALSE(shaders.Load("data/shaders/z.vs", VERTEX_SHADER, shader));
    EXPECT_EQ(CountText("Cannot load shader source from include file 'data/shaders/gone.glsl'."), 1);
}

TEST_F(ResourceManagerTest, PathSpellingsShareOneShader) {
    WriteTestFile("data/shaders/a.vs", "A");
    ResourceReference first;
    ResourceReference second;
    ASSERT_TRUE(shaders.Load("data/shaders/a.vs", VERTEX_SHADER, first));
    ASSERT_TRUE(shaders.Load("Data\\Shaders\\A.vs", VERTEX_SHADER, second));
    EXPECT_EQ(first.GetHandle(), second.GetHandle());
    EXPECT_EQ(first.GetHandle()->GetRefCount(), 2);
    EXPECT_EQ(CountText("Loading shader 'data/shaders/a.vs'..."), 1);
    EXPECT_EQ(Texts().size(), 1u);
}

TEST_F(ResourceManagerTest, CompileFailureReportsTheDriverLogAndRegistersNothing) {
    WriteTestFile("data/shaders/bad.fs", "oops");
    fakeGL.compileStatus = 0;
    fakeGL.infoLog = "0:1(1): error: syntax error";
    ResourceReference shader;
    EXPECT_FALSE(shaders.Load("data/shaders/bad.fs", FRAGMENT_SHADER, shader));
    EXPECT_EQ(Texts().back(), "An error occurred during shader compilation. Error log:0:1(1): error: syntax error");
    EXPECT_TRUE(shaders.IsEmpty());
    EXPECT_EQ(fakeGL.CountPrefix("glDeleteShader"), 1);
}

TEST_F(ResourceManagerTest, ProgramKeysAndDescriptors) {
    EXPECT_EQ(ShaderProgramKey({{1, "Data/B.fs"}}), "data/b.fs");
    EXPECT_EQ(ShaderProgramKey({{1, "b.fs"}, {0, "A.vs"}}), "a.vs|b.fs");
    ResourceReference program;
    EXPECT_FALSE(programs.Load(ShaderProgramDescriptor{}, program));
    EXPECT_EQ(Texts(), std::vector<std::string>{"Invalid shader program descriptor."});
}

TEST_F(ResourceManagerTest, ShaderReloadRelinksEveryProgramThatUsesIt) {
    WriteTestFile("a.vs", "A1");
    WriteTestFile("b.fs", "B");
    WriteTestFile("c.fs", "C");
    ResourceReference ab;
    ResourceReference ac;
    ASSERT_TRUE(programs.Load("a.vs", "b.fs", ab));
    ASSERT_TRUE(programs.Load("a.vs", "c.fs", ac));
    EXPECT_EQ(CountText("Loading shader 'a.vs'..."), 1);
    const std::string linkAb = "glLinkProgram(" + std::to_string(ab.As<ShaderProgram>()->GetGLName()) + ")";
    const std::string linkAc = "glLinkProgram(" + std::to_string(ac.As<ShaderProgram>()->GetGLName()) + ")";

    WriteTestFile("a.vs", "A2");
    shaders.OnFileChanged("a.vs");
    EXPECT_EQ(fakeGL.Count(linkAb), 2);
    EXPECT_EQ(fakeGL.Count(linkAc), 2);
    EXPECT_EQ(CountText("Reloading shader source 'a.vs'..."), 1);

    shaders.OnFileChanged("b.fs");
    EXPECT_EQ(fakeGL.Count(linkAb), 3);
    EXPECT_EQ(fakeGL.Count(linkAc), 2);

    shaders.OnFileChanged("unknown.fs");  // not registered: nothing happens
    EXPECT_EQ(fakeGL.CountPrefix("glLinkProgram"), 5);
}

TEST_F(ResourceManagerTest, RelinkEmptiesTheUniformLocationCache) {
    WriteTestFile("a.vs", "A");
    WriteTestFile("b.fs", "B");
    ResourceReference program;
    ASSERT_TRUE(programs.Load("a.vs", "b.fs", program));
    ShaderProgram* linked = program.As<ShaderProgram>();
    linked->SetFloat("uMissing", 1.0f);
    linked->SetFloat("uMissing", 2.0f);
    EXPECT_EQ(fakeGL.CountPrefix("glGetUniformLocation"), 1);
    EXPECT_EQ(fakeGL.Count("glUniform1f(-1,2)"), 1);
    EXPECT_EQ(fakeGL.CountPrefix("glUseProgram"), 1);

    shaders.OnFileChanged("a.vs");
    linked->SetFloat("uMissing", 3.0f);
    EXPECT_EQ(fakeGL.CountPrefix("glGetUniformLocation"), 2);
}

TEST_F(ResourceManagerTest, DroppingAProgramReleasesItsShaders) {
    WriteTestFile("a.vs", "A");
    WriteTestFile("b.fs", "B");
    ResourceReference program;
    ASSERT_TRUE(programs.Load("a.vs", "b.fs", program));
    EXPECT_FALSE(shaders.IsEmpty());
    program.Reset();
    EXPECT_TRUE(programs.IsEmpty());
    EXPECT_TRUE(shaders.IsEmpty());
}

Image MakeImage(const std::string& name, int32_t width, int32_t height) {
    Image image;
    image.name = name;
    image.format = R8G8B8;
    image.width = width;
    image.height = height;
    image.pixels.reset(new uint8_t[image.ByteSize()]());
    return image;
}

TEST_F(ResourceManagerTest, TextureReloadsInPlace) {
    // A 1 x 1 top-left 24-bit TGA, later replaced by a 2 x 1 one.
    const std::string header = std::string("\0\0\2\0\0\0\0\0\0\0\0\0", 12);
    WriteTestFile("data/tex/a.tga", header + std::string("\1\0\1\0\x18\x20", 6) + "abc");
    Image image = MakeImage("data/tex/a.tga", 1, 1);
    ResourceReference texture;
    ASSERT_TRUE(textures.Load(image, texture));
    Texture* loaded = texture.As<Texture>();
    EXPECT_EQ(loaded->GetWidth(), 1);

    WriteTestFile("data/tex/a.tga", header + std::string("\2\0\1\0\x18\x20", 6) + "abcdef");
    textures.OnFileChanged("data/tex/a.tga");
    EXPECT_EQ(texture.As<Texture>(), loaded);
    EXPECT_EQ(loaded->GetWidth(), 2);
    EXPECT_EQ(loaded->GetMemorySize(), 6u);
    EXPECT_EQ(CountText("Reloading texture 'data/tex/a.tga'..."), 1);

    WriteTestFile("data/tex/a.tga", "broken");
    textures.OnFileChanged("data/tex/a.tga");
    EXPECT_EQ(Texts().back(), "Cannot load image from file 'data/tex/a.tga'.");
    EXPECT_EQ(loaded->GetWidth(), 2);
}

TEST_F(ResourceManagerTest, DroppedLastReferenceLetsTheSameNameLoadAnew) {
    Image image = MakeImage("data/tex/b.tga", 300, 200);
    ResourceReference first;
    ASSERT_TRUE(textures.Load(image, first));
    ResourceReference copy = first;
    copy = first;  // the same holder: no change
    EXPECT_EQ(first.GetHandle()->GetRefCount(), 2);
    copy.Reset();
    first.Reset();
    EXPECT_TRUE(textures.IsEmpty());

    ResourceReference second;
    ASSERT_TRUE(textures.Load(image, second));
    EXPECT_EQ(CountText("Loading texture 'data/tex/b.tga'..."), 2);
}

TEST_F(ResourceManagerTest, CreateEmptyReturnsAnExistingNameWhateverItsSize) {
    ResourceReference first;
    ResourceReference second;
    ASSERT_TRUE(textures.CreateEmpty("Target", 64, 32, first));
    ASSERT_TRUE(textures.CreateEmpty("target", 128, 128, second));
    EXPECT_EQ(first.GetHandle(), second.GetHandle());
    EXPECT_EQ(second.As<Texture>()->GetWidth(), 64);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Creating empty texture 'Target'..."});
}

TEST_F(ResourceManagerTest, RenderTargetsOwnUniquelyNamedTexturesInCreationOrder) {
    RenderTarget* first = display.GetRenderTarget("main_post_fx", 64, 64);
    RenderTarget* second = display.GetRenderTarget("fb0", 64, 64);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetColorTexture()->Get()->GetName(), "__unique_0");
    EXPECT_EQ(second->GetColorTexture()->Get()->GetName(), "__unique_1");
    EXPECT_EQ(display.GetRenderTarget("main_post_fx", 8, 8), first);

    fakeGL.framebufferStatus = 0;
    EXPECT_EQ(display.CreateRenderTarget(16, 16), nullptr);
    display.DestroyAllRenderTargets();
    EXPECT_TRUE(textures.IsEmpty());  // the failed one's texture went too
}

}
