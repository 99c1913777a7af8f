#pragma once
// The case file: one archive, binary or XML, whose root item "QELConfig" holds the five
// element lists and the two case texts.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/archive/ArchiveFwd.h"

class CBridge;
class CBridgeSet;
class CLoadModel;
class CLoadModelEnsemble;
class CReferenceCollection;

// What a case file holds, in file order.
struct CaseContents {
    std::vector<std::shared_ptr<CBridge>> m_vBridge;
    std::vector<std::shared_ptr<CBridgeSet>> m_vBridgeSet;
    std::vector<std::shared_ptr<CLoadModel>> m_vLoadModel;
    std::vector<std::shared_ptr<CLoadModelEnsemble>> m_vLoadModelEnsemble;
    std::vector<std::shared_ptr<CReferenceCollection>> m_vRefCollection;
    std::wstring m_sCaseRef;
    std::wstring m_sCaseNotes;

    QEL_DECLARE_SERIALIZE;
};

// An error of the archive library; what() is the library's own text.
class CCaseArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file itself could not be opened, written or put in place; what() says why.
class CCaseFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The archive on a stream. Archive failures raise CCaseArchiveError; anything else an
// element raises passes through unchanged. Reading checks what the archive library
// trusts (core/archive/CheckedIArchive.h); a binary archive must end where the stream does.
// bLegacy: results as the program stored them before they were stored compactly (for
// comparisons and tests; such a file opens in either program).
void WriteCaseArchive(std::ostream& os, const CaseContents& contents, bool bBinary, bool bLegacy = false);
void ReadCaseArchive(std::istream& is, CaseContents& contents, bool bBinary);

// The bytes of a case file. A binary archive is followed by a check trailer: the word
// "QELCHECK", the archive's length (8 bytes) and the CRC-32 of its bytes (4 bytes),
// little-endian; plain archive readers stop before it. XML stays plain XML.
std::string MakeCaseFileData(const CaseContents& contents, bool bBinary, bool bLegacy = false);
// A binary archive with its trailer appended.
std::string SealCaseArchive(std::string archive);
// Either kind, told by its start ("<?xml"). A binary file with a trailer whose length or
// check does not match is refused as damaged (CCaseFileError); one without a trailer is
// read as a plain archive.
void ReadCaseFileData(const std::string& data, CaseContents& contents);
inline constexpr std::size_t CaseTrailerSize = 20;

// How far an open or a save has come: bytes done of about nTotal (a save knows its total
// only roughly). Called on the thread that reads or writes, a few times a megabyte.
using CaseProgress = std::function<void(std::uint64_t nDone, std::uint64_t nTotal)>;

// The new file is written beside the old one, as the archive is made, and replaces it
// only once it is complete and on the disk, so a failed save leaves the old file as it
// was. bBinary chooses the kind.
void SaveCaseFile(const std::wstring& sPath, const CaseContents& contents, bool bBinary,
                  const CaseProgress& progress = {}, bool bLegacy = false);
// Reads the archive from the file as it goes, checking a binary file's trailer on the
// way. Fills contents only as far as the file goes: on an exception the caller drops it.
void LoadCaseFile(const std::wstring& sPath, CaseContents& contents, const CaseProgress& progress = {});
// About how many bytes SaveCaseFile writes, for its progress.
std::uint64_t EstimateCaseFileBytes(const CaseContents& contents, bool bBinary);
