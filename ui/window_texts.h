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
  // The arrow button has no caption: its hint and the name a screen reader
  // gives it. The hint is followed by the button's shortcut.
  QString ArrowHint;
  QString ArrowName;
  // One sentence per option on what it changes.
  QString MaskTypeHint;
  QString PartialAddressesHint;
  QString PartialPortsHint;
  QString IgnoreIcmpHint;
  QString PortsInSetHint;
  QString ParanoicHint;
};

const WindowTexts& TextsFor(bool russian);

}  // namespace kerbwise::ui
