#pragma once
// The names of an ensemble's load models, in its order.
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"

#include <string>
#include <vector>

namespace qeltest {

inline std::vector<std::wstring> Names(const CLoadModelEnsemble& lme)
{
    std::vector<std::wstring> names;
    for (const auto& p : lme.m_vLoadModel)
        names.push_back(p->m_Description);
    return names;
}

}
