#include "window_texts.h"

namespace kerbwise::ui {
namespace {

WindowTexts English() {
  WindowTexts t;
  t.MaskGroup = "Mask type";
  t.Wildcard = "wildcard";
  t.Netmask = "netmask";
  t.PartialGroup = "Partial matching";
  t.PartialAddresses = "addresses";
  t.PartialPorts = "ports";
  t.IgnoreIcmp = "ignore ICMP";
  t.PortsInSet = "ports in set";
  t.Paranoic = "paranoic";
  t.ConditionLabel = "Condition";
  t.DirectCheck = "Direct check";
  t.DirectCheckHint = "Find the strings of the access list under which the condition falls";
  t.InverseCheck = "Inverse check";
  t.InverseCheckHint = "Find the strings of the access list that fall under the condition";
  t.Analysis = "Analysis";
  t.Sort = "Sort";
  t.Reflect = "Reflect";
  t.ReflectHint = "Show reflected ACL";
  t.Names = "ports and ICMP codes names";
  t.Name = "Name";
  t.NameHint = "Get the name of the access list";
  t.Objects = "Objects";
  t.ObjectsHint = "Show objects used in the condition";
  t.ShowResult = "Show result";
  t.CopyResult = "Copy result";
  t.Copy = "Copy";
  t.ArrowHint =
      "Clean the pasted list, number its entries and expand its object groups into the list below";
  t.ArrowName = "Clean, number and expand the list";
  t.MaskTypeHint =
      "How masks are read and written in entries and conditions: wildcard (0.0.0.255) or "
      "netmask (255.255.255.0)";
  t.PartialAddressesHint =
      "Checks also report entries that share only part of the condition's addresses, with the "
      "hosts they share";
  t.PartialPortsHint =
      "Checks also report entries whose ports cover only part of the condition's ports";
  t.IgnoreIcmpHint =
      "With partial addresses on, ICMP does not count as part of ip: an ICMP condition does not "
      "match an ip entry";
  t.PortsInSetHint =
      "On, the analysis takes an entry as covered only when each of its port ranges lies within "
      "one range of the other entry; off, ports covered in part count too, as an incomplete set";
  t.ParanoicHint =
      "With ports in set off, any overlap of port ranges counts as partial cover, even when the "
      "covering entry's range lies strictly inside the other's";
  return t;
}

WindowTexts Russian() {
  WindowTexts t;
  t.MaskGroup = QString::fromUtf8("Тип маски");
  t.Wildcard = "wildcard";
  t.Netmask = "netmask";
  t.PartialGroup = QString::fromUtf8("Частичное совпадение");
  t.PartialAddresses = QString::fromUtf8("адресов");
  t.PartialPorts = QString::fromUtf8("портов");
  t.IgnoreIcmp = QString::fromUtf8("игнорировать ICMP");
  t.PortsInSet = QString::fromUtf8("порты в наборе");
  t.Paranoic = "paranoic";
  t.ConditionLabel = QString::fromUtf8("Условие");
  t.DirectCheck = QString::fromUtf8("Прямая проверка");
  t.DirectCheckHint = QString::fromUtf8("Найти строки access-листа, под которые попадает условие");
  t.InverseCheck = QString::fromUtf8("Обратная проверка");
  t.InverseCheckHint = QString::fromUtf8("Найти строки access-листа, которые попадают под условие");
  t.Analysis = QString::fromUtf8("Анализ");
  t.Sort = QString::fromUtf8("Сортировка");
  t.Reflect = QString::fromUtf8("Отражение");
  t.ReflectHint = QString::fromUtf8("Показать отражённый ACL");
  t.Names = QString::fromUtf8("имена портов и кодов ICMP");
  t.Name = QString::fromUtf8("Название");
  t.NameHint = QString::fromUtf8("Получить имя access листа");
  t.Objects = QString::fromUtf8("Объекты");
  t.ObjectsHint = QString::fromUtf8("Показать используемые в условиях объекты");
  t.ShowResult = QString::fromUtf8("Показать результат");
  t.CopyResult = QString::fromUtf8("Скопировать результат");
  t.Copy = QString::fromUtf8("Скопировать");
  t.ArrowHint = QString::fromUtf8(
      "Очистить вставленный список, пронумеровать строки и развернуть группы объектов в список "
      "ниже");
  t.ArrowName = QString::fromUtf8("Очистить, пронумеровать и развернуть список");
  t.MaskTypeHint = QString::fromUtf8(
      "Как маски читаются и пишутся в строках и условиях: wildcard (0.0.0.255) или netmask "
      "(255.255.255.0)");
  t.PartialAddressesHint = QString::fromUtf8(
      "Проверка находит и строки, у которых с условием общая лишь часть адресов, и называет "
      "общие хосты");
  t.PartialPortsHint =
      QString::fromUtf8("Проверка находит и строки, чьи порты покрывают лишь часть портов условия");
  t.IgnoreIcmpHint = QString::fromUtf8(
      "При частичном совпадении адресов ICMP не считается частью ip: ICMP-условие не совпадает "
      "со строкой ip");
  t.PortsInSetHint = QString::fromUtf8(
      "Включено: анализ считает строку покрытой, только если каждый её диапазон портов лежит "
      "внутри одного диапазона другой строки; выключено: частично покрытые порты тоже "
      "учитываются, как неполный набор");
  t.ParanoicHint = QString::fromUtf8(
      "При выключенных «портах в наборе» любое пересечение диапазонов портов считается частичным "
      "покрытием, даже если диапазон покрывающей строки лежит строго внутри другого");
  return t;
}

}  // namespace

const WindowTexts& TextsFor(bool russian) {
  static const WindowTexts english = English();
  static const WindowTexts russianTexts = Russian();
  return russian ? russianTexts : english;
}

}  // namespace kerbwise::ui
