#pragma once
// The component model: owners destroy what they own, and everything an owner holds hears
// when one of its components goes away.

#include <functional>
#include <memory>
#include <vector>

#include "platform/text.h"

class TApplication;

class TObject {
 public:
  virtual ~TObject() = default;
};

// Events are method-pointer-like callables, raised only when assigned.
using TNotifyEvent = std::function<void(TObject* Sender)>;

enum class TOperation { opInsert, opRemove };

struct TComponentState {
  bool csLoading = false;
  bool csDesigning = false;
};

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  AnsiString Name;
  int Tag = 0;

  [[nodiscard]] TComponent* Owner() const { return owner_; }
  [[nodiscard]] const TComponentState& ComponentState() const { return state_; }
  [[nodiscard]] TComponent* FindComponent(const AnsiString& name) const;
  [[nodiscard]] const std::vector<TComponent*>& Components() const { return components_; }
  // The application at the root of the ownership chain.
  [[nodiscard]] TApplication& App() const;

  // Called once the component's settings have been read, with csLoading set meanwhile.
  virtual void Loaded();
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // Marks the component as being read from a stored layout until EndLoading.
  void BeginLoading() { state_.csLoading = true; }
  void EndLoading();

 protected:
  // Frees every owned component, the last created first.
  void DestroyComponents();

 private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  TComponent* owner_ = nullptr;
  TComponentState state_;
  std::vector<TComponent*> components_;
};
