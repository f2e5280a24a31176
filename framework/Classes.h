#pragma once
// The base of the object model: TObject with a class name, TPersistent and
// TComponent with owner, owned components and free notification.
#include <string>
#include <vector>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
    virtual std::string ClassName() const { return "TObject"; }
};

class TFiler;
struct TClassInfo;

class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }
    // Copies the state of another object; the default refuses.
    virtual void Assign(const TPersistent* source);
    // The published properties that layouts stream (TypeInfo.h); null: none.
    virtual const TClassInfo* ClassInfo() const { return nullptr; }
    // Stream entries beyond the published properties (Filer.h).
    virtual void DefineProperties(TFiler* filer) {}
protected:
    virtual void AssignTo(TPersistent* dest) const;
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;
    std::string ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    TComponent* FindComponent(const std::string& name) const;
    const std::string& Name() const { return FName; }
    void SetName(const std::string& name) { FName = name; }
    int Tag = 0;

    // Asks to be told (Notification with opRemove) when component is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Frees the owned components, last inserted first.
    void DestroyComponents();
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

protected:
    virtual void Notification(TComponent* component, TOperation operation);

private:
    TComponent* FOwner = nullptr;
    std::string FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};
