"""Invented people: names in several scripts, phone numbers, e-mail addresses,
employers. Every choice goes through the caller's random.Random, so a seed
always yields the same phone book."""

import functools
import unicodedata

# Android's FullNameStyle codes, stored as text in StructuredName.data10.
STYLE_WESTERN = "1"
STYLE_CHINESE = "3"

LATIN_GIVEN = [
    "José", "Zoë", "François", "Łukasz", "Ágnes", "Chloé", "Søren", "Jürgen",
    "Inês", "Mónica", "Björn", "Émilie", "Dvořák", "Renée", "Noémie", "Íñigo",
    "Håkon", "Aurélien", "Małgorzata", "Çağla", "Ana", "Thomas", "Sarah",
    "Michael", "Laura", "David", "Emma", "Lucas", "Julia", "Marco", "Sofia",
    "Paul", "Anna", "Peter", "Clara", "Hugo", "Nina", "Oliver", "Léa", "Tomás",
]
LATIN_FAMILY = [
    "García", "Müller", "Lefèvre", "Wójcik", "Nørgaard", "Łopuszańska", "Öztürk",
    "Gonçalves", "Peña", "Dubois", "Schröder", "Åström", "Núñez", "Brontë",
    "Smith", "Johnson", "Martin", "Bernard", "Rossi", "Bianchi", "Novák",
    "Kowalski", "Jensen", "Fischer", "Weber", "Moreau", "Laurent", "Silva",
    "Costa", "Fernández", "O'Brien", "van der Berg", "De Luca", "Petit",
]
CHINESE_GIVEN = ["伟", "芳", "娜", "秀英", "敏", "静", "丽", "强", "磊", "军", "洋", "艳", "勇", "杰", "娟"]
CHINESE_FAMILY = ["王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙", "马", "朱", "欧阳"]
CYRILLIC_GIVEN = ["Иван", "Мария", "Алексей", "Ольга", "Дмитрий", "Наталья", "Сергей", "Елена", "Юрий", "Ксения", "Олександр", "Богдана"]
CYRILLIC_FAMILY = ["Петров", "Иванова", "Смирнов", "Кузнецова", "Попов", "Соколова", "Лебедев", "Новикова", "Шевченко", "Коваленко"]
ARABIC_GIVEN = ["محمد", "فاطمة", "أحمد", "عائشة", "علي", "مريم", "يوسف", "نور", "خالد", "ليلى"]
ARABIC_FAMILY = ["العلي", "الحسن", "المصري", "الخطيب", "حداد", "منصور", "الشامي", "عبد الله"]
GREEK_GIVEN = ["Γιώργος", "Ελένη", "Νίκος", "Μαρία"]
GREEK_FAMILY = ["Παπαδόπουλος", "Οικονόμου", "Γεωργίου"]
# Names people really save: a relation or a trade, often decorated.
EMOJI_NAMES = [
    ("Maman", "❤️"), ("Papa", "👨‍👩‍👧"), ("Mamie", "💐"), ("Coach", "⚽"),
    ("Pizza Luigi", "🍕"), ("Plombier", "🔧"), ("Yoga", "🧘"), ("Bestie", "😘✨"),
    ("Véto", "🐶"), ("Taxi", "🚕"), ("Nounou", "👶"), ("Garage", "🚗"),
]

COMPANIES = [
    "Boulangerie Dupré", "Müller & Söhne GmbH", "Acme Corp", "Globex", "Initech",
    "Café Olé", "Société Générale d'Études", "华为技术有限公司", "中国银行",
    "ООО «Ромашка»", "Яндекс", "شركة الاتصالات", "Umbrella SA", "Stark Industries",
    "Nordisk Ålfiskeri", "Peña y Asociados", "Hôpital Saint-Éloi",
]
TITLES = [
    "Directrice commerciale", "Ingénieur", "CEO", "Sales Manager", "Geschäftsführer",
    "Comptable", "经理", "Бухгалтер", "مهندس", "Nurse", "Developer", "Avocate",
]
CUSTOM_PHONE_LABELS = ["Bureau Lyon", "Ferienhaus", "Chalet", "Satellite", "Oficina 2", "Дача"]
CUSTOM_EMAIL_LABELS = ["Université", "Verein", "Old school"]
MAIL_DOMAINS = ["gmail.com", "yahoo.fr", "outlook.com", "web.de", "mail.ru", "qq.com", "orange.fr", "icloud.com"]
NICKNAMES = ["Jojo", "Titi", "Бобо", "Doc", "小李", "Kiki", "Le Grand"]
NOTE_WORDS = [
    "code", "portail", "1234B", "anniversaire", "le", "mars", "allergique", "aux",
    "noix", "voisin", "du", "3e", "étage", "rappeler", "après", "18h", "Schlüssel",
    "bei", "Nachbarn", "ключи", "у", "соседа", "生日", "快乐", "🎂",
]

# Phone numbering plans: (country code, national trunk prefix, national number generator).
# Each generator returns (digits of the national significant number, formatted
# as the user typed it in national form, formatted in international form).


def _digits(rng, count):
    return "%0*d" % (count, rng.randrange(10 ** count))


def _fr(rng):
    nsn = rng.choice("67") + _digits(rng, 8)
    pairs = " ".join(nsn[i:i + 2] for i in range(1, 9, 2))
    return nsn, "0" + nsn[0] + " " + pairs, "+33 " + nsn[0] + " " + pairs


def _us(rng):
    area = rng.choice(["212", "415", "312", "617", "206", "305"])
    line = "555" + "%04d" % rng.randrange(100, 200)
    nsn = area + line
    return nsn, "(%s) %s-%s" % (area, line[:3], line[3:]), "+1 %s-%s-%s" % (area, line[:3], line[3:])


def _de(rng):
    nsn = rng.choice(["151", "160", "171", "176"]) + _digits(rng, 7)
    return nsn, "0" + nsn[:3] + " " + nsn[3:], "+49 " + nsn[:3] + " " + nsn[3:]


def _cn(rng):
    nsn = "1" + rng.choice(["38", "39", "59", "86"]) + _digits(rng, 8)
    return nsn, nsn[:3] + " " + nsn[3:7] + " " + nsn[7:], "+86 " + nsn[:3] + " " + nsn[3:7] + " " + nsn[7:]


def _ru(rng):
    nsn = "9" + _digits(rng, 9)
    fmt = "%s %s-%s-%s" % (nsn[:3], nsn[3:6], nsn[6:8], nsn[8:])
    return nsn, "8 " + fmt, "+7 " + fmt


def _sa(rng):
    nsn = "5" + rng.choice("0345") + _digits(rng, 7)
    return nsn, "0" + nsn[:2] + " " + nsn[2:5] + " " + nsn[5:], "+966 " + nsn[:2] + " " + nsn[2:5] + " " + nsn[5:]


PLANS = {"fr": ("33", _fr), "us": ("1", _us), "de": ("49", _de), "cn": ("86", _cn), "ru": ("7", _ru), "sa": ("966", _sa)}

# Which numbering plan and which script a person's name comes from.
CULTURES = [
    # (weight, script, plans)
    (52, "latin", ["fr", "fr", "us", "de"]),
    (14, "chinese", ["cn"]),
    (12, "cyrillic", ["ru"]),
    (9, "arabic", ["sa"]),
    (3, "greek", ["de", "fr"]),
    (10, "emoji", ["fr", "us"]),
]
_CULTURE_TOTAL = sum(c[0] for c in CULTURES)


def pick_culture(rng):
    roll = rng.randrange(_CULTURE_TOTAL)
    for weight, script, plans in CULTURES:
        if roll < weight:
            return script, plans
        roll -= weight
    raise AssertionError("weights")


def make_name(rng, script):
    """Returns (display_name, given, family, full_name_style)."""
    if script == "chinese":
        given, family = rng.choice(CHINESE_GIVEN), rng.choice(CHINESE_FAMILY)
        return family + given, given, family, STYLE_CHINESE
    if script == "emoji":
        word, emoji = rng.choice(EMOJI_NAMES)
        if rng.random() < 0.5:
            given = word + " " + emoji
        else:
            given = emoji + " " + word
        return given, given, None, STYLE_WESTERN
    pools = {
        "latin": (LATIN_GIVEN, LATIN_FAMILY),
        "cyrillic": (CYRILLIC_GIVEN, CYRILLIC_FAMILY),
        "arabic": (ARABIC_GIVEN, ARABIC_FAMILY),
        "greek": (GREEK_GIVEN, GREEK_FAMILY),
    }[script]
    given, family = rng.choice(pools[0]), rng.choice(pools[1])
    return given + " " + family, given, family, STYLE_WESTERN


# Phone TYPE codes with how often people pick them; 0 is CUSTOM (label in data3).
PHONE_TYPES = [("2", 55), ("1", 14), ("3", 12), ("12", 6), ("0", 5), ("7", 4), ("17", 2), ("4", 2)]
_PHONE_TYPE_TOTAL = sum(w for _, w in PHONE_TYPES)


def _weighted(rng, table, total):
    roll = rng.randrange(total)
    for value, weight in table:
        if roll < weight:
            return value
        roll -= weight
    raise AssertionError("weights")


def make_phone(rng, plans):
    """Returns (number as typed, type, label, E.164 or None)."""
    kind = rng.random()
    ptype = _weighted(rng, PHONE_TYPES, _PHONE_TYPE_TOTAL)
    label = rng.choice(CUSTOM_PHONE_LABELS) if ptype == "0" else None
    if kind < 0.02:
        # Service and voicemail short codes: libphonenumber cannot parse them.
        return rng.choice(["3434", "*123#", "112", "#31#", "888"]), ptype, label, None
    country, plan = PLANS[rng.choice(plans)]
    nsn, national, international = plan(rng)
    typed = international if rng.random() < 0.45 else national
    if rng.random() < 0.15:
        typed = typed.replace(" ", "").replace("-", "").replace("(", "").replace(")", "")
    return typed, ptype, label, "+" + country + nsn


@functools.lru_cache(maxsize=4096)
def ascii_fold(text):
    decomposed = unicodedata.normalize("NFKD", text.replace("ł", "l").replace("Ł", "L").replace("ø", "o"))
    return "".join(ch for ch in decomposed if ch.isascii() and (ch.isalnum() or ch in "._"))


# Email TYPE codes; 7 is not a code Android defines for e-mail (a sync adapter's own).
EMAIL_TYPES = [("1", 45), ("2", 30), ("3", 10), ("4", 7), ("0", 4), ("7", 4)]
_EMAIL_TYPE_TOTAL = sum(w for _, w in EMAIL_TYPES)


def make_email(rng, given, family, serial):
    """Returns (address, type, label). serial keeps addresses of namesakes apart."""
    local = ".".join(p for p in (ascii_fold(given or "").lower(), ascii_fold(family or "").lower()) if p)
    if not local:
        local = "user"
    address = "%s%d@%s" % (local, serial % 1000, rng.choice(MAIL_DOMAINS))
    etype = _weighted(rng, EMAIL_TYPES, _EMAIL_TYPE_TOTAL)
    label = rng.choice(CUSTOM_EMAIL_LABELS) if etype == "0" else None
    return address, etype, label


def make_organization(rng):
    """Returns (company, type, label, title)."""
    return rng.choice(COMPANIES), "1", None, rng.choice(TITLES) if rng.random() < 0.8 else None


def make_note(rng, long_text):
    words = 600 if long_text else rng.randrange(3, 14)
    return " ".join(rng.choice(NOTE_WORDS) for _ in range(words))


def make_nickname(rng):
    return rng.choice(NICKNAMES)


@functools.lru_cache(maxsize=65536)
def phonebook_label(display_name):
    """First letter bucket as the contacts app shows it; '#' for digits and symbols."""
    for ch in display_name:
        if ch.isalpha():
            base = unicodedata.normalize("NFKD", ch)[0].upper()
            return base if base.isascii() else ch
        if ch.isdigit():
            return "#"
    return "#"
