#include "engine/core/DynamicLibrary.h"

#include "engine/core/FactoryRegistry.h"
#include "engine/core/LibraryCache.h"
#include "engine/core/PathHash.h"
#include "unit/TestEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

#ifdef _WIN32
const char* const kMathLibrary = "msvcrt.dll";
const char* const kCLibrary = "kernel32.dll";
const char* const kMissingLibrary = "zp-no-such-library.dll";
#else
const char* const kMathLibrary = "libm.so.6";
const char* const kCLibrary = "libc.so.6";
const char* const kMissingLibrary = "libzp-no-such-library.so";
#endif

std::string Loaded(const char* library) { return std::string("Loaded library ") + library + "."; }
std::string Unloaded(const char* library) { return std::string("Unloaded library ") + library + "."; }

class DynamicLibraryTest : public ::testing::Test {
protected:
    DynamicLibraryTest() { engine.libraryCache = cache.get(); }
    ~DynamicLibraryTest() override { DeleteCache(); }

    void DeleteCache() {
        cache.reset();
        engine.libraryCache = nullptr;
    }

    std::vector<std::string> Texts() const { return engine.sink.Texts(); }

    std::unique_ptr<LibraryCache> cache = std::make_unique<LibraryCache>();
    TestEngine engine;
};

}

TEST(PathHashTest, WeighsEachCharacterByItsPosition) {
    EXPECT_EQ(PathHash(""), 0u);
    EXPECT_EQ(PathHash("a"), 119u * 'a');
    EXPECT_EQ(PathHash("ab"), 119u * 'a' + 120u * 'b');
    EXPECT_NE(PathHash("ab"), PathHash("ba"));
}

TEST(PathHashTest, IgnoresCaseAndTheKindOfSlash) {
    EXPECT_EQ(PathHash("DATA\\LIBS\\Plugin.DLL"), PathHash("data/libs/plugin.dll"));
    EXPECT_EQ(PathHash(std::string("Data\\x")), PathHash("data/X"));
}

TEST(PathHashTest, CountsHighCharactersAsNegative) {
    EXPECT_EQ(PathHash("\xE9"), static_cast<uint32_t>(119 * -23));
    EXPECT_EQ(PathHash("\xC9"), static_cast<uint32_t>(119 * -55));  // not lowered outside ASCII
}

TEST_F(DynamicLibraryTest, FactoryMakesAnEmptyLibrary) {
    std::unique_ptr<DynamicLibrary> library(FactoryRegistry<DynamicLibrary>::Instance().Create(1));
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->GetPath(), "");
    EXPECT_EQ(library->GetReferences(), 0);
}

TEST_F(DynamicLibraryTest, LoadsALibraryAndItsSymbols) {
    auto library = std::make_unique<DynamicLibrary>();
    ASSERT_TRUE(library->Open(kMathLibrary));
    EXPECT_EQ(library->GetPath(), kMathLibrary);
    EXPECT_EQ(cache->Find(PathHash(kMathLibrary)), library.get());

    using Cosine = double (*)(double);
    auto cosine = reinterpret_cast<Cosine>(library->GetSymbol("cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);

    library.reset();
    EXPECT_EQ(cache->Find(PathHash(kMathLibrary)), nullptr);
    EXPECT_EQ(Texts(), (std::vector<std::string>{Loaded(kMathLibrary), Unloaded(kMathLibrary)}));
    EXPECT_EQ(engine.sink.levels, (std::vector<LogLevel>{LOG_SYSTEM, LOG_SYSTEM}));
}

TEST_F(DynamicLibraryTest, MissingSymbolIsAnError) {
    DynamicLibrary library;
    ASSERT_TRUE(library.Open(kMathLibrary));
    EXPECT_EQ(library.GetSymbol("zp_no_such_symbol"), nullptr);
    EXPECT_EQ(Texts().back(), std::string("Cannot find symbol zp_no_such_symbol in module ") + kMathLibrary + ".");
    EXPECT_EQ(engine.sink.levels.back(), LOG_ERROR);
}

TEST_F(DynamicLibraryTest, MissingLibraryIsAnErrorAndFindsNoSymbols) {
    {
        DynamicLibrary library;
        EXPECT_FALSE(library.Open(kMissingLibrary));
        EXPECT_EQ(cache->Find(PathHash(kMissingLibrary)), nullptr);
        // Not even one the program itself exports.
        EXPECT_EQ(library.GetSymbol("cos"), nullptr);
        EXPECT_FALSE(library.Open(""));
    }
    EXPECT_EQ(Texts(), (std::vector<std::string>{std::string("Cannot load module ") + kMissingLibrary + ".",
                                                 std::string("Cannot find symbol cos in module ") + kMissingLibrary + ".",
                                                 "Cannot load module ."}));
    EXPECT_EQ(engine.sink.levels, (std::vector<LogLevel>{LOG_ERROR, LOG_ERROR, LOG_ERROR}));
}

TEST_F(DynamicLibraryTest, PathWithPercentSignsIsLoggedAsWritten) {
    DynamicLibrary library;
    EXPECT_FALSE(library.Open("lib%s%n%d.so"));
    EXPECT_EQ(library.GetSymbol("sym%s"), nullptr);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Cannot load module lib%s%n%d.so.",
                                                 "Cannot find symbol sym%s in module lib%s%n%d.so."}));
}

TEST_F(DynamicLibraryTest, UnloadingTwiceUnloadsOnce) {
    DynamicLibrary library;
    ASSERT_TRUE(library.Open(kMathLibrary));
    library.Unload();
    library.Unload();
    EXPECT_EQ(cache->Find(PathHash(kMathLibrary)), nullptr);
    EXPECT_EQ(library.GetPath(), kMathLibrary);
    EXPECT_EQ(Texts(), (std::vector<std::string>{Loaded(kMathLibrary), Unloaded(kMathLibrary)}));
}

TEST_F(DynamicLibraryTest, ReopeningReleasesThePreviousLibrary) {
    auto* library = new DynamicLibrary;
    ASSERT_TRUE(library->Open(kMathLibrary));
    ASSERT_TRUE(library->Open(kCLibrary));
    EXPECT_EQ(cache->Find(PathHash(kMathLibrary)), nullptr);
    EXPECT_EQ(cache->Find(PathHash(kCLibrary)), library);
    DeleteCache();  // deletes the library exactly once
    EXPECT_EQ(Texts(), (std::vector<std::string>{Loaded(kMathLibrary), Unloaded(kMathLibrary),
                                                 Loaded(kCLibrary), Unloaded(kCLibrary)}));
}

TEST_F(DynamicLibraryTest, CacheDeletesTheLibrariesLeftInIt) {
    auto* math = new DynamicLibrary;
    auto* c = new DynamicLibrary;
    ASSERT_TRUE(math->Open(kMathLibrary));
    ASSERT_TRUE(c->Open(kCLibrary));
    math->AddReference();
    engine.sink.lines.clear();
    DeleteCache();
    std::vector<std::string> texts = Texts();
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{Unloaded(kCLibrary), Unloaded(kMathLibrary)}));
}

TEST_F(DynamicLibraryTest, ClosingAReplacedLibraryKeepsItsReplacement) {
    DynamicLibrary first;
    auto* second = new DynamicLibrary;
    ASSERT_TRUE(first.Open(kMathLibrary));
    ASSERT_TRUE(second->Open(kMathLibrary));
    first.Unload();
    EXPECT_EQ(cache->Find(PathHash(kMathLibrary)), second);
}

TEST(DynamicLibraryWithoutCacheTest, OpensWithoutAnEngineOrACache) {
    DynamicLibrary library;
    EXPECT_TRUE(library.Open(kMathLibrary));
    {
        TestEngine engine;
        DynamicLibrary another;
        EXPECT_TRUE(another.Open(kMathLibrary));
    }
    library.Unload();
}
