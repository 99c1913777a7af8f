#include "core/loads/LoadModelEnsemble.h"


#include "core/bounds/Subscript.h"
#include "core/loads/LoadModel.h"

CLoadModelEnsemble::CLoadModelEnsemble() : CLoadModelEnsemble(0, L"LoadModelEnsemble") {}

CLoadModelEnsemble::CLoadModelEnsemble(int id, std::wstring description)
    : CElement(id, std::move(description), ET_LOADMODELENSEMBLE)
{
    m_bIsEditable = true;
}

void CLoadModelEnsemble::AddLoadModel(std::shared_ptr<CLoadModel> pLM)
{
    m_vLoadModel.push_back(std::move(pLM));
    m_nLoadModels = static_cast<std::int32_t>(m_vLoadModel.size());
}

void CLoadModelEnsemble::AddEnsemble(const CLoadModelEnsemble& other)
{
    // A copy of the other's list, so that adding an ensemble to itself doubles it once
    // instead of appending to the list being read.
    const std::vector<std::shared_ptr<CLoadModel>> members = other.m_vLoadModel;
    m_vLoadModel.insert(m_vLoadModel.end(), members.begin(), members.end());
    m_nLoadModels = static_cast<std::int32_t>(m_vLoadModel.size());
}

void CLoadModelEnsemble::RemoveLoadModel(unsigned int i)
{
    if (i >= m_vLoadModel.size())
        return;
    m_vLoadModel.erase(m_vLoadModel.begin() + i);
    m_nLoadModels = static_cast<std::int32_t>(m_vLoadModel.size());
}

void CLoadModelEnsemble::Clear()
{
    m_vLoadModel.clear();
    m_nLoadModels = 0;
}

std::shared_ptr<CLoadModel> CLoadModelEnsemble::GetLoadModel(unsigned int i) const
{
    if (i >= m_vLoadModel.size())
        ThrowInvalidSubscript();
    return m_vLoadModel[i];
}
