#include "engine/render/Resource.h"

#include "engine/render/ResourceManager.h"

Resource::~Resource() {
    if (manager)
        manager->Remove(name);
}
