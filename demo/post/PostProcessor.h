#pragma once

#include "engine/core/Matrix4.h"
#include "engine/render/ResourceHandle.h"
#include "engine/render/UniformSet.h"
#include "engine/render/VertexLayout.h"

#include <map>
#include <memory>
#include <string>

class IndexBuffer;
class VertexBuffer;

// Named full-screen effects and the quad that draws a render target's colour
// through one of them. The show's last pass and the scenes' glow use it.
class PostProcessor {
public:
    PostProcessor();
    ~PostProcessor();
    PostProcessor(const PostProcessor&) = delete;
    PostProcessor& operator=(const PostProcessor&) = delete;

    // Builds the quad's buffers; false when either cannot be created.
    bool Create();
    // Loads the program of the full-screen vertex shader and the fragment
    // shader under the name, replacing any program of that name. On failure
    // the table stays as it was.
    bool AddEffect(const std::string& name, const std::string& fragmentShaderPath);
    // Covers the bound target with the named target's colour through the
    // named effect; a missing target or effect draws nothing and changes no
    // state.
    void Draw(const std::string& targetName, const std::string& effectName, UniformSet& uniforms);
    // Copies the source onto the bound target and adds a blurred copy of it,
    // blurred horizontally into the scratch target on the way. Blending is
    // left on and additive.
    void Glow(const std::string& sourceName, const std::string& scratchName, float blurSize);

    bool HasEffect(const std::string& name) const { return effects.count(name) != 0; }
    const ResourceReference* FindEffect(const std::string& name) const;

private:
    std::map<std::string, ResourceReference> effects;
    UniformSet uniforms;
    std::unique_ptr<VertexBuffer> quadVertices;
    VertexLayout quadLayout;
    std::unique_ptr<IndexBuffer> quadIndices;
    Matrix4 projection;
};
