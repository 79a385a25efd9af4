#pragma once

#include <cstdint>
#include <map>

// A process-wide map from an id to a function that makes an implementation of
// Interface. Filled during static initialisation, only read afterwards.
template <typename Interface>
class FactoryRegistry {
public:
    using Factory = Interface* (*)();

    static FactoryRegistry& Instance() {
        static FactoryRegistry registry;
        return registry;
    }

    // An id already present keeps its first factory.
    bool Register(int32_t id, Factory factory) { return factories.emplace(id, factory).second; }

    Factory Find(int32_t id) const {
        auto found = factories.find(id);
        return found == factories.end() ? nullptr : found->second;
    }

    // Calls the factory registered under id; null when there is none.
    Interface* Create(int32_t id) const {
        Factory factory = Find(id);
        return factory ? factory() : nullptr;
    }

private:
    std::map<int32_t, Factory> factories;
};

// A static object of this type registers a factory before main runs. The
// executables link the engine whole, so these objects are never dropped.
template <typename Interface>
struct FactoryRegistration {
    FactoryRegistration(int32_t id, typename FactoryRegistry<Interface>::Factory factory) {
        FactoryRegistry<Interface>::Instance().Register(id, factory);
    }
};
