#include "recovery/carved_text.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "platform/codepage/codepage.h"

namespace cdv {
namespace {

constexpr char kMissing[] = "N/A";

void AppendLine(std::string& out, std::string_view first, std::string_view second) {
  out.append(first);
  out.push_back('\t');
  out.append(second);
  out.append("\r\n");
}

// Small dense ids for equal byte strings.
class Interner {
 public:
  explicit Interner(size_t expected) { ids_.reserve(expected); }
  uint32_t id(std::string_view s) {
    return ids_.emplace(s, static_cast<uint32_t>(ids_.size())).first->second;
  }
  size_t size() const { return ids_.size(); }

 private:
  std::unordered_map<std::string_view, uint32_t> ids_;
};

}  // namespace

bool IsAllDigits(const std::string& value) {
  for (char c : value) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string BuildContactsText(const std::vector<CarvedContact>& rows) {
  const size_t n = rows.size();
  constexpr uint32_t kNone = UINT32_MAX;

  // Rows with an empty data1 take part in nothing; the others are grouped by
  // their raw_contact_id bytes, keeping carving order inside each group.
  Interner contacts(n);
  Interner values(n);
  std::vector<uint32_t> contactOf(n, kNone), valueOf(n, kNone);
  for (size_t i = 0; i < n; ++i) {
    if (rows[i].data1.empty()) continue;
    contactOf[i] = contacts.id(rows[i].rawContactId);
    valueOf[i] = values.id(rows[i].data1);
  }
  std::vector<size_t> groupBegin(contacts.size() + 1, 0);
  for (size_t i = 0; i < n; ++i) {
    if (contactOf[i] != kNone) ++groupBegin[contactOf[i] + 1];
  }
  for (size_t g = 0; g < contacts.size(); ++g) groupBegin[g + 1] += groupBegin[g];
  std::vector<uint32_t> members(groupBegin.back());
  std::vector<size_t> slotOf(n, 0);
  {
    std::vector<size_t> fill(groupBegin.begin(), groupBegin.end() - 1);
    for (size_t i = 0; i < n; ++i) {
      if (contactOf[i] == kNone) continue;
      slotOf[i] = fill[contactOf[i]]++;
      members[slotOf[i]] = static_cast<uint32_t>(i);
    }
  }
  // runEnd[k]: the first slot after k in the same group whose value differs
  // from slot k's, so a run of rows equal to row i is skipped in one step.
  std::vector<size_t> runEnd(members.size());
  for (size_t g = 0; g < contacts.size(); ++g) {
    const size_t begin = groupBegin[g], end = groupBegin[g + 1];
    for (size_t k = end; k-- > begin;) {
      runEnd[k] = (k + 1 < end && valueOf[members[k]] == valueOf[members[k + 1]]) ? runEnd[k + 1] : k + 1;
    }
  }

  std::vector<std::string> text(n);
  std::vector<char> digits(n, 0);
  for (size_t i = 0; i < n; ++i) {
    if (contactOf[i] == kNone) continue;
    text[i] = Utf8ToAnsi(rows[i].data1);
    digits[i] = IsAllDigits(rows[i].data1) ? 1 : 0;
  }

  std::string out;
  std::vector<char> used(n, 0);
  for (size_t i = 0; i < n; ++i) {
    if (contactOf[i] == kNone) continue;
    const size_t end = groupBegin[contactOf[i] + 1];
    size_t k = slotOf[i] + 1;
    while (k < end) {
      const uint32_t a = members[k];
      if (valueOf[a] == valueOf[i]) {
        k = runEnd[k];
        continue;
      }
      if (digits[i]) {
        AppendLine(out, text[a], text[i]);
      } else {
        AppendLine(out, text[i], text[a]);
      }
      used[i] = used[a] = 1;
      ++k;
    }
  }
  for (size_t j = 0; j < n; ++j) {
    if (contactOf[j] == kNone || used[j]) continue;
    if (digits[j]) {
      AppendLine(out, kMissing, text[j]);
    } else {
      AppendLine(out, text[j], kMissing);
    }
  }
  return out;
}

std::string BuildSmsText(const std::vector<CarvedSms>& messages, const std::vector<LiveDataPair>& live) {
  std::string out;
  if (messages.empty()) return out;

  // First live row holding each data1, and the first two live rows of each
  // raw_contact_id: the name is the first row of the contact other than the
  // matching one.
  std::unordered_map<std::string_view, size_t> firstWithValue;
  std::unordered_map<std::string_view, std::pair<size_t, size_t>> firstTwoOfContact;
  constexpr size_t kNone = SIZE_MAX;
  for (size_t i = 0; i < live.size(); ++i) {
    firstWithValue.emplace(live[i].data1, i);
    auto slot = firstTwoOfContact.emplace(live[i].rawContactId, std::make_pair(i, kNone));
    if (!slot.second && slot.first->second.second == kNone) slot.first->second.second = i;
  }

  for (const CarvedSms& message : messages) {
    std::string number = message.address;
    const size_t prefix = number.find("+86");
    if (prefix != std::string::npos) number.erase(prefix, 3);

    std::string name = kMissing;
    const auto match = firstWithValue.find(number);
    if (match != firstWithValue.end()) {
      const size_t m = match->second;
      const auto& firstTwo = firstTwoOfContact.at(live[m].rawContactId);
      const size_t other = firstTwo.first != m ? firstTwo.first : firstTwo.second;
      if (other != kNone) name = Utf8ToAnsi(live[other].data1);
    }
    out.append(name);
    out.push_back('\t');
    out.append(message.address.empty() ? std::string(kMissing) : Utf8ToAnsi(message.address));
    out.push_back('\t');
    out.append(message.body.empty() ? std::string(kMissing) : Utf8ToAnsi(message.body));
    out.append("\r\n");
  }
  return out;
}

}  // namespace cdv
