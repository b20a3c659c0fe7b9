#include "transfer/CopyEngine.h"

#include "profile/Destination.h"
#include "transfer/CopyEnvironment.h"
#include "transfer/InstallFile.h"
#include "transfer/InstallPlan.h"

#include <algorithm>
#include <limits>
#include <new>

namespace {

constexpr int32_t kBlockBytes = 4096;

bool Succeeded(const CCopyEnvironment& environment) {
    return environment.Succeeded();
}

void Fail(CCopyEnvironment& environment) {
    environment.Fail();
}

// The page's current entry, cleared however the member ends.
class CCurrentEntry {
public:
    CCurrentEntry(CCopyProgress& progress, CInstallFile& entry) : m_progress(progress) {
        m_progress.SetCurrentEntry(&entry);
    }
    ~CCurrentEntry() { m_progress.SetCurrentEntry(nullptr); }

private:
    CCopyProgress& m_progress;
};

// The record is attached to the run while it is installed, and closed afterwards.
class CRecordScope {
public:
    CRecordScope(CSetupMultiFile& record, CCopyEnvironment& environment, CCopyProgress& progress)
        : m_record(record) {
        m_record.Attach(&environment, &progress);
    }
    ~CRecordScope() {
        m_record.CloseSource();
        m_record.Attach(nullptr, nullptr);
    }

private:
    CSetupMultiFile& m_record;
};

void InstallOpenRecord(CSetupMultiFile& record, CCopyEnvironment& environment,
                       CCopyProgress& progress, const CSetupPath& source) {
    switch (record.m_nKind) {
    case kSourcePlainFile:
        if (record.m_nDestinationId == kDestNone) {
            progress.AddDoneRecord(record);
            return;
        }
        record.OpenRead(source.GetText(), true);
        InstallPlainFile(record, environment, progress);
        return;
    case kSourceArchive:
        record.OpenArchive(source.GetText());
        InstallMembers(record, environment, progress);
        return;
    default:
        return;
    }
}

} // namespace

void InstallMembers(CSetupMultiFile& record, CCopyEnvironment& environment,
                    CCopyProgress& progress) {
    CInstallFile file(record, environment);
    while (record.ReadEntryHeader(file, false)) {
        environment.PumpMessages();
        if (!Succeeded(environment))
            return;
        {
            CCurrentEntry current(progress, file);
            // Read past a member that is not installed through the counted read, which
            // follows volumes (a seek would only be right within the first volume).
            if (file.Header().GetDestination() == kDestNone)
                record.SkipData(file);
            else
                file.Install();
        }
        progress.AddDone(file);
    }
}

void InstallPlainFile(CSetupMultiFile& record, CCopyEnvironment& environment,
                      CCopyProgress& progress) {
    CInstallFile file(record, environment);
    CEntryHeader& header = file.Header();
    header = CEntryHeader::Make();
    file.SetName(record.GetPathText());
    header.SetDestination(static_cast<int16_t>(record.m_nDestinationId));
    header.SetMethod(kMethodStored);
    header.SetParameter(0);
    uint32_t size = record.m_nSize > 0 ? static_cast<uint32_t>(record.m_nSize) : 0;
    header.SetExpandedSize(size);
    header.SetPackedSize(size);
    header.SetChecksum(0);
    file.FillFromFile();
    {
        CCurrentEntry current(progress, file);
        file.Install();
    }
    progress.AddDone(file);
}

void InstallTarget(CSetupMultiFile& record, CCopyEnvironment& environment,
                   CCopyProgress& progress) {
    CRecordScope scope(record, environment, progress);
    record.SetBlockSize(kBlockBytes);
    CSetupPath source;
    source.SetFileName(record.m_strSourceName);
    try {
        if (!environment.EnsureSourceFile(record.m_strSourceName, record.m_nDiskette, source)) {
            Fail(environment);
            ThrowUserException();
        }
        source.SetFileName(record.m_strSourceName);
        InstallOpenRecord(record, environment, progress, source);
    } catch (const CUserException&) {
        record.CloseSource();
        Fail(environment);
        progress.MarkFailed();
    } catch (const CException& e) {
        record.CloseSource();
        if (!environment.AskAfterError(e, source.GetFileName()))
            Fail(environment);
    } catch (const std::bad_alloc&) {
        record.CloseSource();
        if (!environment.AskAfterError(CMemoryException(), source.GetFileName()))
            Fail(environment);
    }
}

bool RunCopy(CInstallPlan& plan, CCopyEnvironment& environment, CCopyProgress& progress) {
    uint64_t total = plan.SpaceNeeded(0, false);
    progress.StartRun(
        static_cast<uint32_t>(std::min<uint64_t>(total, std::numeric_limits<uint32_t>::max())));
    for (const auto& record : plan.GetRecords()) {
        if (!record->IsSelected())
            continue;
        progress.ShowSource(*record);
        InstallTarget(*record, environment, progress);
        if (!Succeeded(environment))
            return false;
    }
    environment.FinishCopy();
    return true;
}
