#pragma once
#include <string>

#include "core/archive/ArchiveFwd.h"

enum ElementType : int {
    ET_NONE = 10, // no element kind uses this code
    ET_BRIDGE = 11,
    ET_BRIDGESET = 12,
    ET_LOADMODEL = 13,
    ET_LOADMODELENSEMBLE = 14,
    ET_UNUSED15 = 15, // no element kind uses this code
    ET_REFCOLLECTION = 16,
};

// Base of every case element: bridge, bridge set, load model, ensemble, reference collection.
class CElement {
public:
    CElement(int id, std::wstring description, ElementType type)
        : m_ID(id), m_Description(std::move(description)), m_ElementType(type)
    {
    }
    virtual ~CElement() = default;
    CElement(const CElement&) = default;
    CElement& operator=(const CElement&) = default;

    std::wstring GetDescription() const { return m_Description; }

    int m_ID = 0;
    std::wstring m_Description;
    ElementType m_ElementType = ET_NONE;
    bool m_bIsEditable = true;

protected:
    CElement() = default;

    QEL_DECLARE_SERIALIZE;
};
