#include "core/envelopes/PointLoadEffect.h"

#include "core/loads/LoadModel.h"

std::wstring PointLoadEffect::GetLoadModelName() const
{
    return pLM ? pLM->GetDescription() : L"Zero LM";
}
