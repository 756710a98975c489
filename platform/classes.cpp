#include "platform/classes.h"

#include <algorithm>
#include <cassert>

#include "platform/application.h"

TComponent::TComponent(TComponent* AOwner) : owner_(AOwner) {
  if (owner_) owner_->InsertComponent(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    delete last;  // its destructor removes it from this list
  }
}

void TComponent::InsertComponent(TComponent* component) { components_.push_back(component); }

void TComponent::RemoveComponent(TComponent* component) {
  std::erase(components_, component);
  component->owner_ = nullptr;
  Notification(component, TOperation::opRemove);
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
  for (TComponent* component : components_) {
    if (component->Name == name) return component;
  }
  return nullptr;
}

TApplication& TComponent::App() const {
  const TComponent* root = this;
  while (root->owner_) root = root->owner_;
  auto* application = dynamic_cast<const TApplication*>(root);
  assert(application && "every component is owned, directly or not, by the application");
  return const_cast<TApplication&>(*application);
}

void TComponent::Loaded() { state_.csLoading = false; }

void TComponent::EndLoading() { Loaded(); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  // An owner passes the news on to everything it owns.
  for (TComponent* component : std::vector<TComponent*>(components_)) {
    if (component != AComponent) component->Notification(AComponent, Operation);
  }
}
