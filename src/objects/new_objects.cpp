#include "objects/new_objects.h"

#include <type_traits>
#include <utility>

#include "names/display_names.h"
#include "tables/save_tables.h"
#include "tables/ware_list.h"
#include "text/format.h"
#include "text/strings.h"
#include "text/texts.h"

namespace {

template <class Record> constexpr bool kNamed = requires(Record r) { r.nameTextId; };

bool isWare(TableId table) { return table >= TableId::wareB; }

// The text ids every named record uses: a new one must be none of them.
std::vector<int32_t> usedTextIds(const GameState& s) {
    std::vector<int32_t> ids;
    for (const TableName& t : kTableNames)
        visitTable(s, t.id, [&](const auto& table) {
            using Record = typename std::remove_cvref_t<decltype(table.records)>::value_type;
            if constexpr (kNamed<Record>)
                for (const Record& r : table.records) ids.push_back(r.nameTextId);
        });
    return ids;
}

bool idUsedIn(const GameState& s, TableId table, std::string_view id) {
    const std::string wanted = lowerLatin(id);
    bool used = false;
    const auto look = [&](TableId t) {
        visitTable(s, t, [&](const auto& tab) {
            for (const auto& r : tab.records) used = used || lowerLatin(r.objectId) == wanted;
        });
    };
    if (isWare(table)) forEachWareFile(s, [&](TableId t, const Table<TWares>&) { look(t); });
    else look(table);
    return used;
}

// An identifier the table's line can hold as one field, and that no record of
// the table (for a ware, of any ware file) has in any case of its Latin letters.
ObjectFault idFault(const GameState& s, TableId table, std::string_view id) {
    if (id.empty()) return ObjectFault::idEmpty;
    for (const char c : id) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b == 0x7F || b == 0xA0 || c == ';') return ObjectFault::idBadCharacter;
        if (b == 0x98) return ObjectFault::idNotCp1251;
    }
    return idUsedIn(s, table, id) ? ObjectFault::idUsed : ObjectFault::none;
}

std::string unusedId(const GameState& s, TableId table, std::string_view base) {
    for (int k = 2;; ++k) {
        std::string id = std::string(base) + "_" + std::to_string(k);
        if (!idUsedIn(s, table, id)) return id;
    }
}

size_t recordCount(const GameState& s, TableId table) {
    return visitTable(s, table, [](const auto& t) { return t.records.size(); });
}

bool writable(const GameState& s, TableId table) {
    return visitTable(s, table, [](const auto& t) { return writtenBySave(t.file); });
}

// What stops any edit of the record at `index`: the checks both edits make first.
ObjectEdit refusal(const GameState& s, const std::string& page, TableId table, size_t index) {
    ObjectEdit e;
    e.faultTable = table;
    if (!hasNames(table)) e.fault = ObjectFault::noNames;
    else if (index >= recordCount(s, table)) e.fault = ObjectFault::unknownObject;
    else if (!writable(s, table)) e.fault = ObjectFault::tableKept;
    else if (page.empty()) e.fault = ObjectFault::noNamePage;
    return e;
}

int32_t textIdOf(const GameState& s, TableId table, size_t index) {
    return visitTable(s, table, [&](const auto& t) -> int32_t {
        if constexpr (kNamed<typename std::remove_cvref_t<decltype(t.records)>::value_type>)
            return t.records[index].nameTextId;
        else return 0;
    });
}

// Whether a record other than the one at `index` of `table` uses the text id.
bool sharedTextId(const GameState& s, TableId table, size_t index, int32_t textId) {
    int users = 0;
    for (const TableName& t : kTableNames)
        visitTable(s, t.id, [&](const auto& tab) {
            if constexpr (kNamed<typename std::remove_cvref_t<decltype(tab.records)>::value_type>)
                for (size_t i = 0; i < tab.records.size(); ++i)
                    if (tab.records[i].nameTextId == textId && !(t.id == table && i == index)) ++users;
        });
    return users > 0;
}

} // namespace

bool hasNames(TableId table) {
    static const GameState kinds;
    return visitTable(kinds, table, [](const auto& t) {
        return kNamed<typename std::remove_cvref_t<decltype(t.records)>::value_type>;
    });
}

std::optional<size_t> findObject(const GameState& s, TableId table, std::string_view objectId) {
    return visitTable(s, table, [&](const auto& t) -> std::optional<size_t> {
        for (size_t i = 0; i < t.records.size(); ++i)
            if (t.records[i].objectId == objectId) return i;
        return std::nullopt;
    });
}

std::string proposedId(const GameState& s, TableId table, size_t source) {
    return visitTable(s, table, [&](const auto& t) { return unusedId(s, table, t.records.at(source).objectId); });
}

std::string proposedName(const GameState& s, const NamePage* page, TableId table, size_t source) {
    return visitTable(s, table, [&](const auto& t) {
        return listedName(page, textIdOf(s, table, source), t.records.at(source).objectId, std::nullopt,
                          Language::en) + " 2";
    });
}

ObjectEdit addObject(GameState& s, std::string& page, TableId table, size_t source, std::string_view newId,
                     std::string_view name) {
    ObjectEdit e = refusal(s, page, table, source);
    e.objectId = newId;
    if (!e.ok()) return e;
    if (table == TableId::lasers) {
        e.faultTable = TableId::bullets;
        if (!writable(s, TableId::bullets)) e.fault = ObjectFault::tableKept;
        else if (s.bullets.records.size() != s.lasers.records.size()) e.fault = ObjectFault::bulletsOutOfStep;
        if (!e.ok()) return e;
        e.faultTable = table;
    }
    if ((e.fault = idFault(s, table, newId)) != ObjectFault::none) return e;
    std::string edited = page;
    const NameEdit named = addName(edited, name, usedTextIds(s));
    if (named.fault != NameFault::none) {
        e.fault = ObjectFault::name;
        e.nameFault = named.fault;
        return e;
    }
    visitTable(s, table, [&](auto& t) {
        auto copy = t.records[source];
        copy.objectId = newId;
        if constexpr (kNamed<decltype(copy)>) copy.nameTextId = named.textId;
        t.records.push_back(std::move(copy));
        t.count = static_cast<int32_t>(t.records.size()); // the header counts it
        e.index = t.records.size() - 1;
    });
    if (table == TableId::lasers) {
        TBullets bullet = s.bullets.records[source];
        bullet.objectId = unusedId(s, TableId::bullets, bullet.objectId);
        s.bullets.records.push_back(std::move(bullet));
        s.bullets.count = static_cast<int32_t>(s.bullets.records.size());
        e.bullet = s.bullets.records.size() - 1;
    }
    e.textId = named.textId;
    e.tableChanged = true;
    page = std::move(edited);
    return e;
}

ObjectEdit renameObject(GameState& s, std::string& page, TableId table, size_t index, std::string_view name) {
    ObjectEdit e = refusal(s, page, table, index);
    if (!e.ok()) return e;
    const int32_t textId = textIdOf(s, table, index);
    std::string edited = page;
    const NameEdit named =
        renameName(edited, textId, sharedTextId(s, table, index, textId), name, usedTextIds(s));
    if (named.fault != NameFault::none) {
        e.fault = ObjectFault::name;
        e.nameFault = named.fault;
        return e;
    }
    visitTable(s, table, [&](auto& t) {
        auto& r = t.records[index];
        e.objectId = r.objectId;
        if constexpr (kNamed<std::remove_cvref_t<decltype(r)>>) r.nameTextId = named.textId;
    });
    e.index = index;
    e.textId = named.textId;
    e.tableChanged = named.textId != textId;
    page = std::move(edited);
    return e;
}

std::vector<FileBytes> editedFiles(const GameState& s, TableId table, const ObjectEdit& edit,
                                   std::string_view pageName, const std::string& page) {
    std::vector<FileBytes> files;
    const auto add = [&](TableId id) {
        visitTable(s, id, [&](const auto& t) {
            files.push_back({std::string(tableName(id).fileName), tableFileText(t.headerValue, t.file, t.records)});
        });
    };
    if (edit.tableChanged) add(table);
    if (edit.bullet) add(TableId::bullets);
    files.push_back({std::string(pageName), page});
    return files;
}

std::string objectFaultText(const ObjectEdit& edit, TableId table, Language language) {
    const std::string_view file = tableName(edit.faultTable).fileName;
    switch (edit.fault) {
    case ObjectFault::none:
        return {};
    case ObjectFault::noNames:
        return formatText(text(Text::objectNoNames, language), {file});
    case ObjectFault::unknownObject:
        return formatText(text(Text::objectUnknown, language), {file, edit.objectId});
    case ObjectFault::tableKept:
        return formatText(text(Text::objectTableKept, language), {file});
    case ObjectFault::bulletsOutOfStep:
        return std::string(text(Text::objectBulletsOutOfStep, language));
    case ObjectFault::noNamePage:
        return std::string(text(Text::objectNoNamePage, language));
    case ObjectFault::idEmpty:
        return std::string(text(Text::objectIdEmpty, language));
    case ObjectFault::idBadCharacter:
        return std::string(text(Text::objectIdBadCharacter, language));
    case ObjectFault::idNotCp1251:
        return std::string(text(Text::objectIdNotCp1251, language));
    case ObjectFault::idUsed:
        return formatText(text(Text::objectIdUsed, language),
                          {edit.objectId, isWare(table) ? text(Text::objectWareFiles, language) : file});
    case ObjectFault::name:
        return std::string(text(nameFaultText(edit.nameFault), language));
    }
    return {};
}
