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
  return t;
}

}  // namespace

const WindowTexts& TextsFor(bool russian) {
  static const WindowTexts english = English();
  static const WindowTexts russianTexts = Russian();
  return russian ? russianTexts : english;
}

}  // namespace kerbwise::ui
