#pragma once
// Run-time class records: lets a control create objects of a class chosen at run time
// (a grid makes its cells from a class record) and test an object's kind.
//
//   class CMyCell : public CGridCell { DECLARE_DYNCREATE(CMyCell) ... };   // header
//   IMPLEMENT_DYNCREATE(CMyCell, CGridCell)                                  // source
//   CObject* p = RUNTIME_CLASS(CMyCell)->CreateObject();
//   p->IsKindOf(RUNTIME_CLASS(CGridCellBase));
//
// DECLARE_DYNAMIC/IMPLEMENT_DYNAMIC give a record without a factory (abstract classes).

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class, or nullptr when the class cannot be created.
    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    // True when this class is pBaseClass or derives from it.
    bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const
    {
        for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
            if (p == pBaseClass)
                return true;
        return false;
    }
};

class CObject {
public:
    virtual ~CObject() = default;
    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
    bool IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

inline const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                       \
public:                                                   \
    static const CRuntimeClass class##class_name;         \
    const CRuntimeClass* GetRuntimeClass() const override \
    {                                                     \
        return &class##class_name;                        \
    }

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    const CRuntimeClass class_name::class##class_name = {#class_name, nullptr, RUNTIME_CLASS(base_class_name)};

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                         \
    CObject* class_name::CreateObject()                                                          \
    {                                                                                            \
        return new class_name;                                                                   \
    }                                                                                            \
    const CRuntimeClass class_name::class##class_name = {#class_name, &class_name::CreateObject, \
                                                         RUNTIME_CLASS(base_class_name)};
