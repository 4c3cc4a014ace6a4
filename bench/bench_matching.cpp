// Folding throughput against memcpy of the same text, and a `%word%` scan
// over 10,000 folded titles against std::string_view::find over the same
// titles: the two costs a search in the reader pays.

#include "benchreport.h"
#include "folding.h"
#include "likematcher.h"

#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Words of the collection's subject, with the forms folding meets: Persian
// and Arabic yeh and kaf, madda, vowel marks, ZWNJ, Persian digits.
const std::vector<std::string> Words = {
    "قرآن", "قرائت", "تلاوت", "ترتیل", "تجوید", "سوره", "آیه", "آیات", "حمد", "نماز", "وقف", "ابتدا", "مد", "ادغام",
    "اظهار", "اخفاء", "قلقله", "حروف", "مخارج", "صفات", "حرکات", "فتحه", "کسره", "ضمه", "سکون", "تشدید", "تنوین",
    "همزه", "الف", "لام", "میم", "نون", "ساکن", "مشدد", "پرسش", "پاسخ", "کلیات", "احکام", "قاری", "حافظ", "استاد",
    "شاگرد", "صدا", "لحن", "صوت", "مقام", "کتاب", "الكِتَاب", "مى‌خوانیم", "می‌شود", "است", "در", "به", "از", "با",
    "که", "این", "آن", "را", "برای", "چگونه", "چرا", "آیا", "۱۲", "۳۴۵", "الرَّحْمٰن", "الرَّحِيم", "بِسْمِ", "اللّٰه",
    "خانۀ", "سورة", "Tajwid", "QURAN",
};

std::string title(std::mt19937 &random, std::size_t characters)
{
    std::string s;
    std::size_t count = 0;
    while (count < characters) {
        const std::string &w = Words[random() % Words.size()];
        if (!s.empty()) {
            s += ' ';
            ++count;
        }
        s += w;
        for (unsigned char c : w)
            count += (c & 0xC0) != 0x80;
    }
    return s;
}

} // namespace

int main()
{
    std::mt19937 random(1);

    // Folding: 64 MB of prose in paragraphs of about 1500 characters.
    std::string prose;
    while (prose.size() < 64u * 1000 * 1000) {
        prose += title(random, 1500);
        prose += "\r\n";
    }
    std::string folded;
    folded.reserve(prose.size());
    const double foldMs = bench::medianMs(7, [&] {
        folded.clear();
        data::foldAppend(prose, folded);
    });
    std::string copy(prose.size(), '\0');
    const double copyMs = bench::medianMs(7, [&] { std::memcpy(copy.data(), prose.data(), prose.size()); });
    const double megabytes = double(prose.size()) / 1e6;
    const double foldRate = megabytes / (foldMs / 1000);
    const double copyRate = megabytes / (copyMs / 1000);
    bench::report(QStringLiteral("fold_mb_per_s"), foldRate, QStringLiteral("MB/s"), foldRate / copyRate);

    // Scan: the importer's case, a matcher over pre-folded titles.
    std::vector<std::string> titles;
    for (int i = 0; i < 10000; ++i)
        titles.push_back(data::fold(title(random, 60)));
    const data::LikeMatcher matcher("%ترتیل%");
    const std::string needle = data::fold("ترتیل");
    std::size_t likeHits = 0;
    std::size_t findHits = 0;
    const double likeMs = bench::medianMs(101, [&] {
        likeHits = 0;
        for (const std::string &t : titles)
            likeHits += matcher.matches(t);
    });
    const double findMs = bench::medianMs(101, [&] {
        findHits = 0;
        for (const std::string &t : titles)
            findHits += std::string_view(t).find(needle) != std::string_view::npos;
    });
    if (likeHits != findHits || likeHits == 0)
        qFatal("the scan found %zu titles, find %zu", likeHits, findHits);
    bench::report(QStringLiteral("like_scan_10k_us"), likeMs * 1000, QStringLiteral("us"), likeMs / findMs);
    return 0;
}
