#include "contacts/loading.h"

#include "contacts/file_system.h"
#include "contacts/list_walk.h"
#include "platform/codepage/codepage.h"

namespace cdv {
namespace {

ReaderResult ReadIfPresent(const std::string& dbPath, ContactsReader& reader) {
  if (dbPath.empty() || !FileExists(AnsiToUtf16(dbPath))) return {};
  return reader.Read(dbPath);
}

int Count(const std::string& dbPath, ContactsReader& reader, LoadedContacts& loaded) {
  const ReaderResult read = ReadIfPresent(dbPath, reader);
  int n = 0;
  ForEachRecord(read.lists.contacts, [&](ContactRecord& c) {
    SetTicked(c, true);
    ++n;
  });
  n += static_cast<int>(CountCarvedLines(loaded.carvedText));
  loaded.totalCount += n;
  return n;
}

int Load(const std::string& dbPath, ContactsReader& reader, LoadedContacts& loaded, LoadControl& control) {
  ReaderResult read = ReadIfPresent(dbPath, reader);
  loaded.lists = read.lists;
  loaded.listsStorage = std::move(read.storage);

  int n = 0;
  auto advance = [&] {
    ++loaded.processedCount;
    ++n;
    control.SetProgress(ProgressPercent(loaded.processedCount, loaded.totalCount));
  };

  bool stopped = false;
  ForEachRecord(loaded.lists.contacts, [&](ContactRecord& c) {
    control.WaitWhilePaused();
    if (control.StopRequested()) {
      stopped = true;
      return false;
    }
    SetTicked(c, true);
    advance();
    return true;
  });
  if (stopped) {
    if (n > 0) control.LabelContacts(ContactsLabel(n));
    return -1;
  }

  // The carved phase is short and neither pauses nor stops.
  ForEachCarvedLine(loaded.carvedText, [&](std::string_view line) {
    loaded.carved.Append(line);
    advance();
  });

  if (n > 0) control.LabelContacts(ContactsLabel(n));
  return n;
}

}  // namespace

int ProgressPercent(long long processed, long long total) {
  if (total <= 0 || processed <= 0) return 0;
  if (processed >= total) return 100;
  return static_cast<int>(processed * 100 / total);
}

int RunLoadPass(LoadPass pass, const std::string& dbPath, ContactsReader& reader, LoadedContacts& loaded,
                LoadControl& control) {
  return pass == LoadPass::Count ? Count(dbPath, reader, loaded) : Load(dbPath, reader, loaded, control);
}

int LoadContacts(const std::string& dbPath, ContactsReader& reader, LoadedContacts& loaded, LoadControl& control) {
  const int counted = RunLoadPass(LoadPass::Count, dbPath, reader, loaded, control);
  control.OnCounted();
  if (counted == 0) return 0;
  return RunLoadPass(LoadPass::Load, dbPath, reader, loaded, control);
}

std::u16string ContactsLabel(int count) {
  std::u16string label = u"Contacts (";
  for (char digit : std::to_string(count)) label.push_back(static_cast<char16_t>(digit));
  label.push_back(u')');
  return label;
}

}  // namespace cdv
