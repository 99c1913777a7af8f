#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/elements/Element.h"

class CLoadModel;

// A named group of load models analysed together. Members are shared: one model may sit
// in the document's list and in several ensembles, and an edit through one holder is
// seen by all.
class CLoadModelEnsemble : public CElement {
public:
    CLoadModelEnsemble();
    CLoadModelEnsemble(int id, std::wstring description);
    ~CLoadModelEnsemble() override = default;
    CLoadModelEnsemble(const CLoadModelEnsemble&) = default;
    CLoadModelEnsemble& operator=(const CLoadModelEnsemble&) = default;

    void AddLoadModel(std::shared_ptr<CLoadModel> pLM);
    // Appends the other's members, shared, in its order.
    void AddEnsemble(const CLoadModelEnsemble& other);
    void RemoveLoadModel(unsigned int i);
    void Clear();
    std::shared_ptr<CLoadModel> GetLoadModel(unsigned int i) const;

    std::int32_t m_nLoadModels = 0;
    std::vector<std::shared_ptr<CLoadModel>> m_vLoadModel;

private:
    QEL_DECLARE_SERIALIZE;
};
