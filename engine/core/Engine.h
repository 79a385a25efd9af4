#pragma once

class TimeSource;
class Log;
class LibraryCache;
class FileSystem;
class Display;
class TextureManager;
class ShaderManager;
class ShaderProgramManager;

// The engine's services, reachable from anywhere through the global engine
// pointer while the application is initialised.
class Engine {
public:
    virtual ~Engine() = default;
    virtual TimeSource* GetTimeSource() = 0;
    virtual Log* GetLog() = 0;
    virtual LibraryCache* GetLibraryCache() = 0;
    virtual FileSystem* GetFileSystem() = 0;
    virtual Display* GetDisplay() = 0;
    virtual TextureManager* GetTextureManager() = 0;
    virtual ShaderManager* GetShaderManager() = 0;
    virtual ShaderProgramManager* GetShaderProgramManager() = 0;
};

// Valid from the start of Application::Init until the entry point clears it.
Engine* GetEngine();
void SetEngine(Engine* engine);
