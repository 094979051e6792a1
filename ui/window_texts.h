#pragma once

#include <QString>

namespace kerbwise::ui {

// Captions, hints and menu texts of the main window in one language.
struct WindowTexts {
  QString MaskGroup;
  QString Wildcard;
  QString Netmask;
  QString PartialGroup;
  QString PartialAddresses;
  QString PartialPorts;
  QString IgnoreIcmp;
  QString PortsInSet;
  QString Paranoic;
  QString ConditionLabel;
  QString DirectCheck;
  QString DirectCheckHint;
  QString InverseCheck;
  QString InverseCheckHint;
  QString Analysis;
  QString Sort;
  QString Reflect;
  QString ReflectHint;
  QString Names;
  QString Name;
  QString NameHint;
  QString Objects;
  QString ObjectsHint;
  QString ShowResult;
  QString CopyResult;
  QString Copy;
};

const WindowTexts& TextsFor(bool russian);

}  // namespace kerbwise::ui
