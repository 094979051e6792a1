#pragma once

#include <QString>

#include "text/phrase.h"

// The desktop's own texts: captions, hints, menu items and the messages of
// the windows, each in both languages. The constant's name is the text's id.
namespace kerbwise::ui::texts {

// The main window's option groups and their hints, one sentence per option.
inline constexpr Phrase kMaskGroup{"Mask type", "Тип маски"};
inline constexpr Phrase kWildcard{"wildcard", "wildcard"};
inline constexpr Phrase kNetmask{"netmask", "netmask"};
inline constexpr Phrase kPartialGroup{"Partial matching", "Частичное совпадение"};
inline constexpr Phrase kPartialAddresses{"addresses", "адресов"};
inline constexpr Phrase kPartialPorts{"ports", "портов"};
inline constexpr Phrase kIgnoreIcmp{"ignore ICMP", "игнорировать ICMP"};
inline constexpr Phrase kPortsInSet{"ports in set", "порты в наборе"};
inline constexpr Phrase kAnyPortOverlap{"paranoic", "paranoic"};
inline constexpr Phrase kMaskTypeHint{
    "How masks are read and written in entries and conditions: wildcard (0.0.0.255) or netmask "
    "(255.255.255.0)",
    "Как маски читаются и пишутся в строках и условиях: wildcard (0.0.0.255) или netmask "
    "(255.255.255.0)"};
inline constexpr Phrase kPartialAddressesHint{
    "Checks also report entries that share only part of the condition's addresses, with the hosts "
    "they share",
    "Проверка находит и строки, у которых с условием общая лишь часть адресов, и называет общие "
    "хосты"};
inline constexpr Phrase kPartialPortsHint{
    "Checks also report entries whose ports cover only part of the condition's ports",
    "Проверка находит и строки, чьи порты покрывают лишь часть портов условия"};
inline constexpr Phrase kIgnoreIcmpHint{
    "With partial addresses on, ICMP does not count as part of ip: an ICMP condition does not "
    "match an ip entry",
    "При частичном совпадении адресов ICMP не считается частью ip: ICMP-условие не совпадает со "
    "строкой ip"};
inline constexpr Phrase kPortsInSetHint{
    "On, the analysis takes an entry as covered only when each of its port ranges lies within one "
    "range of the other entry; off, ports covered in part count too, as an incomplete set",
    "Включено: анализ считает строку покрытой, только если каждый её диапазон портов лежит внутри "
    "одного диапазона другой строки; выключено: частично покрытые порты тоже учитываются, как "
    "неполный набор"};
inline constexpr Phrase kAnyPortOverlapHint{
    "With ports in set off, any overlap of port ranges counts as partial cover, even when the "
    "covering entry's range lies strictly inside the other's",
    "При выключенных «портах в наборе» любое пересечение диапазонов портов считается частичным "
    "покрытием, даже если диапазон покрывающей строки лежит строго внутри другого"};

// The main window's buttons and menus.
inline constexpr Phrase kConditionLabel{"Condition", "Условие"};
inline constexpr Phrase kDirectCheck{"Direct check", "Прямая проверка"};
inline constexpr Phrase kDirectCheckHint{
    "Find the strings of the access list under which the condition falls",
    "Найти строки access-листа, под которые попадает условие"};
inline constexpr Phrase kInverseCheck{"Inverse check", "Обратная проверка"};
inline constexpr Phrase kInverseCheckHint{
    "Find the strings of the access list that fall under the condition",
    "Найти строки access-листа, которые попадают под условие"};
inline constexpr Phrase kAnalysis{"Analysis", "Анализ"};
inline constexpr Phrase kSort{"Sort", "Сортировка"};
inline constexpr Phrase kReflect{"Reflect", "Отражение"};
inline constexpr Phrase kReflectHint{"Show reflected ACL", "Показать отражённый ACL"};
inline constexpr Phrase kNames{"ports and ICMP codes names", "имена портов и кодов ICMP"};
inline constexpr Phrase kName{"Name", "Название"};
inline constexpr Phrase kNameHint{"Get the name of the access list", "Получить имя access листа"};
inline constexpr Phrase kObjects{"Objects", "Объекты"};
inline constexpr Phrase kObjectsHint{"Show objects used in the condition",
                                     "Показать используемые в условиях объекты"};
inline constexpr Phrase kShowResult{"Show result", "Показать результат"};
inline constexpr Phrase kCopyResult{"Copy result", "Скопировать результат"};
inline constexpr Phrase kCopy{"Copy", "Скопировать"};
// The arrow button has no caption: its hint (followed by its shortcut) and the
// name a screen reader gives it.
inline constexpr Phrase kArrowHint{
    "Clean the pasted list, number its entries and expand its object groups into the list below",
    "Очистить вставленный список, пронумеровать строки и развернуть группы объектов в список "
    "ниже"};
inline constexpr Phrase kArrowName{"Clean, number and expand the list",
                                   "Очистить, пронумеровать и развернуть список"};

// The sort panel's box that keeps each remark above the entry after it; short
// like the other boxes' captions, its hint says the rest.
inline constexpr Phrase kKeepRemarks{"keep remarks", "примечания при записях"};

// A list line's tooltip: the router's match counter of its entry.
inline constexpr Phrase kHitsTip{"Hits: %1 (the router's match counter)",
                                 "Попаданий: %1 (счётчик совпадений маршрутизатора)"};

// The chooser of a list when a paste holds several; %1 is what the header
// says a list that is not read holds ("IPv6", "MAC", ...).
inline constexpr Phrase kChooseListTitle{"Choose a list", "Выбор списка"};
inline constexpr Phrase kChooseListPrompt{
    "The pasted text holds several access lists. Which one do you want to work on?",
    "Во вставленном тексте несколько access-листов. С каким из них работать?"};
inline constexpr Phrase kListNameColumn{"Name", "Имя"};
inline constexpr Phrase kListKindColumn{"Kind", "Вид"};
inline constexpr Phrase kListEntriesColumn{"Entries", "Записей"};
inline constexpr Phrase kExtendedList{"extended", "расширенный"};
inline constexpr Phrase kStandardList{"standard", "стандартный"};
inline constexpr Phrase kUnreadList{"%1, not read", "%1, не читается"};
inline constexpr Phrase kUnnamedList{"(no name)", "(без имени)"};
inline constexpr Phrase kChooseListOk{"Work on this list", "Работать с этим списком"};
inline constexpr Phrase kCancel{"Cancel", "Отмена"};

// The result and analysis windows.
inline constexpr Phrase kCopyAllAndClose{"Copy all and close", "Скопировать всё и закрыть"};
inline constexpr Phrase kNotepad{"Notepad", "Блокнот"};
inline constexpr Phrase kNotepadHint{"Sent to external editor", "Передать во внешний редактор"};
inline constexpr Phrase kClose{"Close", "Закрыть"};
inline constexpr Phrase kHierarchicalView{"Hierarchical view", "Иерархический вид"};
inline constexpr Phrase kCopyAll{"Copy all", "Скопировать всё"};
inline constexpr Phrase kCopyWithNo{"Copy with \"no\" prefix", "Скопировать с префиксом \"no \""};
inline constexpr Phrase kCopyWithNoRedundant{"Copy with \"no\" prefix redundant rules",
                                             "Скопировать с префиксом \"no \" избыточные правила"};
inline constexpr Phrase kCopyWithNoNotDerived{
    "Copy with \"no\" prefix redundant rules that do not have derived rules",
    "Скопировать с префиксом \"no \" избыточные правила, не имеющие производных"};
inline constexpr Phrase kHideDerived{"Hide the derived lines of this occurrence",
                                     "Скрыть производные этого вхождения"};

// The message boxes' buttons (Qt names them in English unless a translation
// is loaded) and the external editor's failures, each followed by a path.
inline constexpr Phrase kYes{"Yes", "Да"};
inline constexpr Phrase kNo{"No", "Нет"};
inline constexpr Phrase kCannotWriteTemporaryFile{
    "Could not write the text to a temporary file in ",
    "Не удалось записать текст во временный файл в папке "};
inline constexpr Phrase kCannotOpenTextFile{
    "No program could be started to open the text file ",
    "Не удалось запустить программу для открытия текстового файла "};

// The analysis window's exact section: what no packet reaches and what can go.
// The report pane when the pairs compared relate no entries.
inline constexpr Phrase kNoPairRelations{"No entry lies inside another one",
                                         "Ни одна строка не лежит внутри другой"};
inline constexpr Phrase kExactTitle{"Exact results", "Точные результаты"};
inline constexpr Phrase kWorking{"working…", "идёт расчёт…"};
inline constexpr Phrase kUnreachedHeading{"Entries no packet reaches",
                                          "Строки, до которых не доходит ни один пакет"};
inline constexpr Phrase kEveryEntryReached{"Every entry is reached by some packet",
                                           "До каждой строки доходят пакеты"};
inline constexpr Phrase kShadowed{"shadowed", "затенена"};
inline constexpr Phrase kShadowedConflict{"conflict", "конфликт"};
inline constexpr Phrase kMatchesNothing{"matches nothing", "не совпадает ни с чем"};
inline constexpr Phrase kCovers{"covers it", "покрывает её"};
inline constexpr Phrase kUnreachedHint{
    "Every packet such an entry matches is taken by the earlier entries under it (or it matches "
    "none); a conflict: they do the opposite of what it says. A click on an entry finds it in the "
    "report and in the list",
    "Каждый пакет, совпадающий с такой строкой, забирают строки выше, показанные под ней (или она "
    "не совпадает ни с чем); конфликт: они делают обратное тому, что она говорит. Щелчок по строке "
    "находит её в отчёте и в списке"};
inline constexpr Phrase kRemovableHeading{"Entries that can go", "Строки, которые можно удалить"};
inline constexpr Phrase kNothingRemovable{
    "No entry can go without changing what the list does",
    "Ни одну строку нельзя удалить, не изменив того, что делает список"};
inline constexpr Phrase kCopyRemovable{"Copy the \"no\" commands", "Скопировать команды \"no\""};
inline constexpr Phrase kRemovableHint{
    "Removed together, these entries leave what the list does unchanged for every packet",
    "Удалённые вместе, эти строки не меняют того, что список делает с любым пакетом"};

// The Compare window: what the current list does differently from another.
inline constexpr Phrase kCompare{"Compare", "Сравнить"};
inline constexpr Phrase kCompareHint{
    "Show the traffic the current list permits or denies differently from another list",
    "Показать трафик, который текущий список разрешает или запрещает иначе, чем другой список"};
inline constexpr Phrase kCompareTitle{"Compare lists", "Сравнение списков"};
inline constexpr Phrase kOtherListLabel{
    "The other list (as on the router, or as it was): paste it here",
    "Другой список (как на маршрутизаторе или как был): вставьте его сюда"};
inline constexpr Phrase kTakePrevious{"The list before its last sort or edit",
                                      "Список до последней сортировки или правки"};
inline constexpr Phrase kTakePreviousHint{
    "Puts the list as it was before the last normalisation or edit of the list pane",
    "Подставляет список, каким он был до последней нормализации или правки"};
inline constexpr Phrase kRunCompare{"Compare with the current list", "Сравнить с текущим списком"};
inline constexpr Phrase kNoOtherList{"Paste the other list first",
                                     "Сначала вставьте другой список"};
inline constexpr Phrase kPermittedHeading{"Newly permitted", "Теперь разрешено"};
inline constexpr Phrase kDeniedHeading{"Newly denied", "Теперь запрещено"};
inline constexpr Phrase kPacketColumn{"Example packet", "Пример пакета"};
inline constexpr Phrase kOtherDecides{"The other list decides by", "В другом списке решает"};
inline constexpr Phrase kCurrentDecides{"The current list decides by", "В текущем списке решает"};

}  // namespace kerbwise::ui::texts

namespace kerbwise::ui {

// `phrase` in `language`, ready for a widget.
inline QString Say(const Phrase& phrase, Language language) {
  const std::string_view text = phrase.In(language);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kerbwise::ui
