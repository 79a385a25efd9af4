#include "tools/live/ReloadReport.h"
#include "tools/live/ShaderIncludes.h"

#include "engine/files/FileSystem.h"
#include "engine/render/ShaderSource.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Paths = std::vector<std::string>;

// Files kept in memory, read like the file system reads them.
struct FakeFiles {
    std::map<std::string, std::string> files;
    ReadTextFunction Reader() const {
        return [this](const std::string& path, std::string& text) {
            auto found = files.find(path);
            if (found == files.end())
                return false;
            text = found->second;
            return true;
        };
    }
};

TEST(ShaderIncludesTest, DirectivesAreFoundWithTheirLinesAndOnlyInTheExactSpelling) {
    std::vector<IncludeDirective> found;
    int unclosed = 0;
    ASSERT_TRUE(FindIncludes("#version 330\n#include \"a.glsl\"\n#include <b.glsl>\n#include  \"c\"\n"
                             "x; #include \"d.glsl\" y;\n",
                             found, unclosed));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "a.glsl");
    EXPECT_EQ(found[0].line, 2);
    EXPECT_EQ(found[1].name, "d.glsl");
    EXPECT_EQ(found[1].line, 5);

    EXPECT_FALSE(FindIncludes("a\nb\n#include \"open", found, unclosed));
    EXPECT_EQ(unclosed, 3);
}

TEST(ShaderIncludesTest, TheExpandedTextIsTheEnginesAndEachLineKnowsItsFileAndLine) {
    TemporaryDirectory root;
    const std::string dir = root.path + "/shaders";
    std::filesystem::create_directories(dir + "/post");
    const std::string shaderPath = dir + "/post/wave.fs";
    const std::string includePath = dir + "/post/common.glsl";
    std::ofstream(shaderPath) << "#version 330\n#include \"common.glsl\"\nout vec4 c;\nvoid main() { c = f(); }\n";
    std::ofstream(includePath) << "vec4 f() {\n    return vec4(1.0);\n}\n";

    TestEngine engine;
    FileSystem fileSystem;
    engine.fileSystem = &fileSystem;
    auto read = [&fileSystem](const std::string& path, std::string& text) {
        return fileSystem.ReadTextFile(path, text);
    };
    ExpandedShader expanded;
    ASSERT_TRUE(ExpandShader(shaderPath, read, expanded));
    std::string engineText;
    ASSERT_TRUE(LoadShaderSource(shaderPath, engineText));
    EXPECT_EQ(expanded.text, engineText);

    // Line 2 is the included file's first line spliced into the directive's
    // line; the rest of the directive's line follows the included text.
    const std::vector<std::pair<std::string, int>> expected = {
        {shaderPath, 1}, {includePath, 1}, {includePath, 2}, {includePath, 3},
        {shaderPath, 2}, {shaderPath, 3},  {shaderPath, 4}};
    ASSERT_EQ(expanded.lines.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SourceLine at = MapExpandedLine(expanded, static_cast<int>(i) + 1);
        EXPECT_EQ(at.path, expected[i].first) << "expanded line " << i + 1;
        EXPECT_EQ(at.line, expected[i].second) << "expanded line " << i + 1;
    }
    EXPECT_TRUE(MapExpandedLine(expanded, 0).path.empty());
    EXPECT_TRUE(MapExpandedLine(expanded, 8).path.empty());
}

TEST(ShaderIncludesTest, IncludesAreOneLevelDeepAndLinesAfterTwoIncludesStillMap) {
    FakeFiles files;
    files.files["s/a.fs"] = "#include \"x.glsl\"\n#include \"y.glsl\"\nmain\n";
    files.files["s/x.glsl"] = "x1\n#include \"z.glsl\"\n";  // stays as it is
    files.files["s/y.glsl"] = "y1";                          // no final line break
    ExpandedShader expanded;
    ASSERT_TRUE(ExpandShader("s/a.fs", files.Reader(), expanded));
    EXPECT_EQ(expanded.text, "x1\n#include \"z.glsl\"\n\ny1\nmain\n");
    EXPECT_EQ(MapExpandedLine(expanded, 2).path, "s/x.glsl");
    EXPECT_EQ(MapExpandedLine(expanded, 2).line, 2);
    EXPECT_EQ(MapExpandedLine(expanded, 3).path, "s/a.fs");
    EXPECT_EQ(MapExpandedLine(expanded, 3).line, 1);
    EXPECT_EQ(MapExpandedLine(expanded, 4).path, "s/y.glsl");
    EXPECT_EQ(MapExpandedLine(expanded, 5).path, "s/a.fs");
    EXPECT_EQ(MapExpandedLine(expanded, 5).line, 3);
}

TEST(ShaderIncludesTest, AFailedExpansionSaysWhereTheDirectiveIs) {
    FakeFiles files;
    files.files["s/a.fs"] = "one\ntwo\n#include \"missing.glsl\"\n";
    files.files["s/b.fs"] = "one\n#include \"open\n";
    ExpandedShader expanded;
    EXPECT_FALSE(ExpandShader("s/a.fs", files.Reader(), expanded));
    EXPECT_EQ(expanded.errorAt.path, "s/a.fs");
    EXPECT_EQ(expanded.errorAt.line, 3);
    EXPECT_NE(expanded.error.find("s/missing.glsl"), std::string::npos);
    EXPECT_FALSE(ExpandShader("s/b.fs", files.Reader(), expanded));
    EXPECT_EQ(expanded.errorAt.line, 2);
    EXPECT_FALSE(ExpandShader("s/none.fs", files.Reader(), expanded));
    EXPECT_EQ(expanded.errorAt.path, "s/none.fs");
}

TEST(ShaderIncludesTest, TheIncludeMapFindsEveryIncluderWhateverTheSpellingOfThePath) {
    IncludeMap map;
    map.AddShader("data/shaders/postfx/wiggle.fs", "#include \"common.glsl\"\n");
    map.AddShader("data/shaders/postfx/twirl.fs", "#include \"common.glsl\"\n#include \"../shared.glsl\"\n");
    map.AddShader("data/shaders/base/colored.fs", "void main() {}\n");
    map.AddShader("data/shaders/generator/rm.fs", "#include \"common.glsl\"\n");

    EXPECT_EQ(map.IncludersOf("data/shaders/postfx/common.glsl"),
              (Paths{"data/shaders/postfx/twirl.fs", "data/shaders/postfx/wiggle.fs"}));
    EXPECT_EQ(map.IncludersOf("Data\\Shaders\\PostFX\\Common.glsl").size(), 2u);
    EXPECT_EQ(map.IncludersOf("data/shaders/shared.glsl"), Paths{"data/shaders/postfx/twirl.fs"});
    EXPECT_EQ(map.IncludersOf("data/shaders/generator/common.glsl"), Paths{"data/shaders/generator/rm.fs"});
    EXPECT_TRUE(map.IncludersOf("data/shaders/base/colored.fs").empty());
    map.Clear();
    EXPECT_TRUE(map.IncludersOf("data/shaders/postfx/common.glsl").empty());
}

TEST(ShaderIncludesTest, TheFirstErrorOfEachDriversLogGivesLineAndMessage) {
    LogError mesa = ParseDriverLog("0:3(10): warning: unused\n0:41(5): error: `foo' undeclared\n"
                                   "0:42(1): error: second\n");
    EXPECT_EQ(mesa.line, 41);
    EXPECT_EQ(mesa.message, "error: `foo' undeclared");
    LogError nvidia = ParseDriverLog("0(12) : error C1008: undefined variable \"foo\"\r\n");
    EXPECT_EQ(nvidia.line, 12);
    EXPECT_EQ(nvidia.message, "error C1008: undefined variable \"foo\"");
    LogError plain = ParseDriverLog("ERROR: 0:7: 'x' : undeclared identifier\n");
    EXPECT_EQ(plain.line, 7);
    EXPECT_EQ(plain.message, "error: 'x' : undeclared identifier");
    LogError link = ParseDriverLog("error: fragment shader lacks `main'\n");
    EXPECT_EQ(link.line, 0);
    EXPECT_EQ(link.message, "error: fragment shader lacks `main'");
    EXPECT_EQ(ParseDriverLog("").message, "");
}

TEST(ShaderIncludesTest, ReloadLinesReadTheSameForEveryReport) {
    EXPECT_EQ(FormatReloadLine({"data/a.fs", true, 0, "", ReloadFate::Checked}), "reload data/a.fs ok");
    EXPECT_EQ(FormatReloadLine({"data/a.fs", false, 41, "error: `foo' undeclared", ReloadFate::Checked}),
              "reload data/a.fs error 41: error: `foo' undeclared");
    // Without a line, no "0:" stands for one.
    EXPECT_EQ(FormatReloadLine({"data/b.tga", false, 0, "the file is empty", ReloadFate::Checked}),
              "reload data/b.tga error the file is empty");
    EXPECT_EQ(FormatReloadLine(GoneReport("data/a.fs")), "reload data/a.fs gone");
    EXPECT_EQ(FormatReloadLine(NotUsedReport("data/c.fs")), "reload data/c.fs not used by the show");
}

}
