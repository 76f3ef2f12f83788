#include "bench/app/bench_application.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace formwick::bench {

const char* store_mode_name(StoreMode mode) {
    switch (mode) {
    case StoreMode::append: return "append";
    case StoreMode::update_sorted: return "update sorted";
    case StoreMode::update_resized: return "update sorted, lines changing length";
    }
    return "";
}

CParameters bench_application(StoreMode mode) {
    CParameters p;
    p.startup.startTarget = 0; // Form 1
    p.startup.deleteData = 0;

    CParamForm& form = p.forms[0];
    form.nextTarget = form_target(1);
    form.clrTarget = kTargetMainMenu;
    form.saveOnNext = 1;
    form.saveDataFile = 0;

    CFormLine& article = form.lines[0];
    article.dataType = kLineText;
    article.setPromptText(u"Article:");
    article.inputSource = 2; // reader and keypad
    article.minimum = 1;
    article.maximum = kArticleLength;
    article.variable = 1;

    CFormLine& quantity = form.lines[1];
    quantity.dataType = kLineInteger;
    quantity.setPromptText(u"Qty:");
    quantity.inputSource = 1; // keypad
    quantity.minimum = 1;
    quantity.maximum = kQuantityWidth;
    quantity.variable = 2;
    if (mode == StoreMode::update_resized) quantity.more.alignment = 4; // kept as typed

    CParamData& data = p.dataFiles[0];
    data.fixedSize = 0;
    data.useDelimiter = 1;
    data.delimiter = 0; // comma
    data.fieldCount = 2;
    data.recordLength = kArticleLength + 1 + kQuantityWidth + 2;
    data.storageMode = mode == StoreMode::append ? 0 : 1;
    data.keyField = 0;
    data.fields[0] = CDataRecord{1, 0, 1, kArticleLength, 0};
    data.fields[1] = CDataRecord{2, 0, 0, kQuantityWidth, mode == StoreMode::update_resized ? 4 : 3};
    return p;
}

std::vector<StoredRecord> session_records(int count, int articles) {
    articles = std::max(1, articles);
    std::mt19937_64 rng(20261210);
    std::vector<std::string> codes;
    for (int a = 0; a < articles; ++a) {
        // Distinct 13-digit codes for up to six million articles.
        char code[24];
        std::snprintf(code, sizeof code, "%013llu", 4000000000000ULL + static_cast<unsigned long long>(a) * 1000003ULL);
        codes.emplace_back(code);
    }
    std::vector<StoredRecord> records(static_cast<std::size_t>(std::max(0, count)));
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].article = codes[i % codes.size()];
        records[i].quantity = 1 + static_cast<int>(rng() % 999);
    }
    std::shuffle(records.begin(), records.end(), rng);
    return records;
}

std::vector<std::string> expected_lines(const std::vector<StoredRecord>& records, StoreMode mode) {
    const int width = mode == StoreMode::update_resized ? 0 : kQuantityWidth;
    auto line = [width](const StoredRecord& r) {
        char quantity[16];
        std::snprintf(quantity, sizeof quantity, "%0*d", width, r.quantity);
        return r.article + "," + quantity;
    };
    std::vector<std::string> lines;
    if (mode == StoreMode::append) {
        for (const StoredRecord& r : records) lines.push_back(line(r));
        return lines;
    }
    for (const StoredRecord& r : records) {
        auto old = std::find_if(lines.begin(), lines.end(),
                                [&](const std::string& l) { return l.compare(0, r.article.size(), r.article) == 0; });
        std::string now = line(r);
        if (old == lines.end()) {
            lines.push_back(std::move(now));
        } else if (old->size() == now.size()) {
            *old = std::move(now);
        } else {
            lines.erase(old);
            lines.push_back(std::move(now));
        }
    }
    return lines;
}

} // namespace formwick::bench
