#include "vesk/scene/Scene.h"

namespace vesk
{
Scene::Scene() = default;
Scene::~Scene() = default;

void Scene::createObjects (SceneEditor&) {}
void Scene::updateObjectPositions (SceneEditor&) {}
void Scene::paintOverObjects (SceneEditor&, juce::Graphics&) {}

void Scene::addListener (Listener* listener)
{
    if (listeners == nullptr)
        listeners = std::make_unique<juce::ListenerList<Listener>>();

    listeners->add (listener);
}

void Scene::removeListener (Listener* listener)
{
    if (listeners != nullptr)
        listeners->remove (listener);
}

bool Scene::hasListener (Listener* listener) const
{
    return listeners != nullptr && listeners->contains (listener);
}
} // namespace vesk
