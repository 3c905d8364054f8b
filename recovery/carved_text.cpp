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

// Dense ids for equal raw_contact_id values. Integers, the usual case, take
// at most 8 bytes: up to 7 are keyed as one number with the length in the low
// byte (so "" and "\0" differ); longer values are keyed by their bytes.
class ContactIds {
 public:
  explicit ContactIds(size_t expected) { shortIds_.reserve(expected); }
  uint32_t id(std::string_view raw) {
    const uint32_t fresh = static_cast<uint32_t>(count_);
    std::pair<uint32_t, bool> found;
    if (raw.size() < 8) {
      uint64_t key = 0;
      for (char c : raw) key = (key << 8) | static_cast<unsigned char>(c);
      key = (key << 8) | raw.size();
      const auto r = shortIds_.emplace(key, fresh);
      found = {r.first->second, r.second};
    } else {
      const auto r = longIds_.emplace(raw, fresh);
      found = {r.first->second, r.second};
    }
    if (found.second) ++count_;
    return found.first;
  }
  size_t size() const { return count_; }

 private:
  size_t count_ = 0;
  std::unordered_map<uint64_t, uint32_t> shortIds_;
  std::unordered_map<std::string_view, uint32_t> longIds_;
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
  ContactIds contacts(n);
  std::vector<uint32_t> contactOf(n, kNone);
  for (size_t i = 0; i < n; ++i) {
    if (!rows[i].data1.empty()) contactOf[i] = contacts.id(rows[i].rawContactId);
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
      const bool sameAsNext = k + 1 < end && rows[members[k]].data1 == rows[members[k + 1]].data1;
      runEnd[k] = sameAsNext ? runEnd[k + 1] : k + 1;
    }
  }

  std::vector<std::string> text(n);
  std::vector<char> digits(n, 0);
  for (size_t i = 0; i < n; ++i) {
    if (contactOf[i] == kNone) continue;
    text[i] = Utf8ToAnsi(rows[i].data1);
    digits[i] = IsAllDigits(rows[i].data1) ? 1 : 0;
  }

  // The pairs in output order, then the text in one allocation.
  std::vector<std::pair<uint32_t, uint32_t>> pairs;
  std::vector<char> used(n, 0);
  for (size_t i = 0; i < n; ++i) {
    if (contactOf[i] == kNone) continue;
    const size_t end = groupBegin[contactOf[i] + 1];
    size_t k = slotOf[i] + 1;
    while (k < end) {
      const uint32_t a = members[k];
      if (rows[a].data1 == rows[i].data1) {
        k = runEnd[k];
        continue;
      }
      pairs.push_back({static_cast<uint32_t>(i), a});
      used[i] = used[a] = 1;
      ++k;
    }
  }
  const size_t kLineExtra = 3;  // TAB CR LF
  const size_t kMissingSize = sizeof kMissing - 1;
  size_t size = 0;
  for (const auto& p : pairs) size += text[p.first].size() + text[p.second].size() + kLineExtra;
  for (size_t j = 0; j < n; ++j) {
    if (contactOf[j] != kNone && !used[j]) size += text[j].size() + kMissingSize + kLineExtra;
  }

  std::string out;
  out.reserve(size);
  for (const auto& p : pairs) {
    if (digits[p.first]) {
      AppendLine(out, text[p.second], text[p.first]);
    } else {
      AppendLine(out, text[p.first], text[p.second]);
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
