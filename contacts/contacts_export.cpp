#include "contacts/contacts_export.h"

#include "contacts/contact_data_index.h"
#include "contacts/display_names.h"
#include "contacts/export_paths.h"
#include "contacts/file_system.h"
#include "contacts/list_walk.h"
#include "contacts/mime_types.h"
#include "contacts/tk_txt_file.h"
#include "contacts/type_labels.h"
#include "platform/codepage/codepage.h"

namespace cdv {
namespace {

int CountTicked(const LoadedContacts& loaded, bool withCarved) {
  int n = 0;
  ForEachRecord(loaded.lists.contacts, [&](ContactRecord& c) { n += IsTicked(c) ? 1 : 0; });
  if (withCarved) loaded.carved.ForEach([&](ContactRecord& c) { n += IsTicked(c) ? 1 : 0; });
  return n;
}

const char16_t* LabelOf(RowKind kind, const DataRecord& row) {
  switch (kind) {
    case RowKind::Organization: return u"Company";
    case RowKind::Phone: return PhoneTypeLabel(ReadTypeCode(row.data2));
    case RowKind::Email: return EmailTypeLabel(ReadTypeCode(row.data2));
    case RowKind::Other: break;
  }
  return nullptr;
}

ExportResult Failed(std::u16string filePath) {
  return {-2, ExportStatus::WriteFailed, std::move(filePath)};
}

}  // namespace

int CountTickedForRecover(const LoadedContacts& loaded) {
  return CountTicked(loaded, !loaded.carvedText.empty());
}

ExportResult ExportContacts(const ExportRequest& request, LoadedContacts& loaded, WorkerControl& control) {
  const int ticked = CountTicked(loaded, true);
  if (ticked == 0) return {0, ExportStatus::NothingTicked, {}};

  const std::u16string folder =
      JoinPath(request.exportFolder, ExportLabel(request.contactsLabel, request.everyRecordTicked, ticked));
  TkTxtFile file(JoinPath(folder, u"contacts.txt"));
  if (!CreateFolder(folder)) return Failed(file.Path());
  if (!file.AppendLine(u"Contacts:")) return Failed(file.Path());

  auto advance = [&] {
    ++loaded.processedCount;
    control.SetProgress(ProgressPercent(loaded.processedCount, request.selectedCount));
  };

  const MimeTypeIndex kinds(loaded.lists.mimeTypes);
  const ContactDataIndex data(loaded.lists.data);
  ExportNamer namer;
  ExportStatus status = ExportStatus::Written;
  ForEachRecord(loaded.lists.contacts, [&](ContactRecord& c) {
    control.WaitWhilePaused();
    if (control.StopRequested()) {
      status = ExportStatus::Stopped;
      return false;
    }
    if (!IsTicked(c)) return true;
    const std::u16string name = namer.NameOf(c);
    for (const auto& entry : data.RowsOf(c.id)) {
      const DataRecord& row = *entry.second;
      const char16_t* label = LabelOf(kinds.KindOf(row), row);
      if (label == nullptr) continue;
      if (!file.AppendLine(name + u"(" + label + u") : " + Widen(row.data1))) {
        status = ExportStatus::WriteFailed;
        return false;
      }
    }
    advance();
    return true;
  });
  if (status == ExportStatus::Stopped) return {-1, status, file.Path()};
  if (status == ExportStatus::WriteFailed) return Failed(file.Path());

  if (!loaded.carvedText.empty()) {
    if (!file.AppendLine(std::u16string(66, u'-')) || !file.AppendLine(u"Deleted:")) return Failed(file.Path());
    bool failed = false;
    loaded.carved.ForEach([&](ContactRecord& c) {
      if (failed || !IsTicked(c)) return;
      if (const auto parts = SplitCarvedLine(c.name)) {
        if (!file.AppendLine(AnsiToUtf16(parts->name) + u" : " + AnsiToUtf16(parts->number))) {
          failed = true;
          return;
        }
      }
      advance();
    });
    if (failed) return Failed(file.Path());
  }
  return {ticked, ExportStatus::Written, file.Path()};
}

}  // namespace cdv
