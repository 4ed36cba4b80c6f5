#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the five skins (Qt style sheets) of the Skins folder.

One rule set, five palettes: every skin styles the same widget classes, so a
window never looks half-skinned under one of them. Each palette has a
character of its own, told apart at a glance by the main window's menu bar
and tool bar: pale blue with amber (Office 2007), glossy graphite with cyan
(Shine), lacquer red with gold (Beijing), flat deep blue on white with square
corners (Office 2010), brushed aluminium with aqua and round buttons (Mac).
Run from anywhere:
    python3 data/make_skins.py
"""
import importlib.util
import struct
import zlib
from pathlib import Path
from string import Template

RULES = Template("""\
/* $title: a skin of Tavrel World Clock (written by make_skins.py). */

QMainWindow, QDialog, QMessageBox, QInputDialog, QFontDialog, QColorDialog {
  background: $window_bg;
  color: $text;
}
QDialog QLabel, QMessageBox QLabel, QGroupBox, QCheckBox, QRadioButton {
  color: $text;
}
QCheckBox, QRadioButton { spacing: 6px; }
QCheckBox:disabled, QRadioButton:disabled, QDialog QLabel:disabled, QGroupBox:disabled {
  color: $disabled_text;
}

/* Menus */
QMenuBar {
  background: $menubar_bg;
  color: $menubar_text;
  border-bottom: 1px solid $menubar_border;
  padding: 1px 2px;
}
/* Menus wrapped onto several rows: one band, its line only at the foot. */
QWidget#MenuRows { background: $menubar_bg; border-bottom: 1px solid $menubar_border; }
QWidget#MenuRows QMenuBar { background: transparent; border: none; }
QMenuBar::item { background: transparent; padding: 4px 10px; border-radius: $small_radius; }
QMenuBar::item:selected { background: $menubar_hover_bg; color: $menubar_hover_text; }
QMenuBar::item:pressed { background: $menu_bg; color: $text; }
QMenu {
  background: $menu_bg;
  color: $text;
  border: 1px solid $menu_border;
  border-radius: $menu_radius;
  padding: 4px 3px;
}
QMenu::item { padding: 5px 28px 5px 26px; border: 1px solid transparent; border-radius: $small_radius; }
QMenu::item:selected { background: $select_bg; color: $select_text; border-color: $select_border; }
QMenu::item:disabled { color: $disabled_text; background: transparent; border-color: transparent; }
QMenu::separator { height: 1px; background: $separator; margin: 4px 6px 4px 26px; }
QMenu::right-arrow { width: 8px; height: 8px; }

/* Tool bar */
QToolBar {
  background: $toolbar_bg;
  border: none;
  border-bottom: 1px solid $toolbar_border;
  padding: 2px 3px;
  spacing: 2px;
}
QToolBar::separator { background: $separator; width: 1px; margin: 4px 4px; }
QToolBar::handle { width: 6px; }
QToolButton {
  background: transparent;
  color: $text;
  border: 1px solid transparent;
  border-radius: $small_radius;
  padding: 3px;
}
QToolButton:hover { background: $hover_bg; border-color: $hover_border; color: $hover_text; }
QToolButton:pressed, QToolButton:checked { background: $pressed_bg; border-color: $pressed_border; color: $pressed_text; }
QToolButton:checked:hover { background: $pressed_hover_bg; }
QToolButton::menu-indicator { subcontrol-position: bottom right; }

/* The main window's tool-bar panel, and the heading band of the tool dialogs */
QWidget#DateTime1 {
  background: $toolbar_bg;
  border-bottom: 1px solid $toolbar_border;
}
QWidget#DateTime1 QToolButton { color: $toolbar_text; }
QWidget#DateTime1 QToolButton:hover { color: $hover_text; }
QWidget#DateTime1 QToolButton:checked { color: $pressed_text; }
QWidget#ToolDialogHeader { background: $band_bg; }
QWidget#ToolDialogHeader QLabel { color: $band_text; }

/* Buttons */
QPushButton {
  background: $button_bg;
  color: $button_text;
  border: 1px solid $button_border;
  border-radius: $button_radius;
  padding: 4px 14px;
  min-width: 60px;
  min-height: 17px;
}
QPushButton:hover { background: $button_hover_bg; border-color: $hover_border; color: $button_hover_text; }
QPushButton:pressed { background: $pressed_bg; border-color: $pressed_border; color: $pressed_text; }
QPushButton:default { border: 1px solid $default_border; $default_extra }
QPushButton:default:hover { background: $default_hover_bg; }
QPushButton:disabled {
  background: $disabled_bg;
  color: $disabled_text;
  border-color: $disabled_border;
}
QPushButton:focus { outline: none; }
/* Buttons the windows keep narrow. */
QPushButton[wcSize="small"] { min-width: 44px; max-width: 44px; padding: 4px 4px; }
QPushButton[wcSize="arrow"] { min-width: 26px; max-width: 26px; padding: 3px 0px; }

/* Tabs */
QTabWidget::pane {
  background: $pane_bg;
  border: 1px solid $frame_border;
  border-radius: $pane_radius;
  top: -1px;
}
QTabWidget::tab-bar { $tabbar_position }
QTabBar::tab {
  background: $tab_bg;
  color: $text;
  border: 1px solid $frame_border;
  padding: 5px 16px;
  $tab_shape
}
QTabBar::tab:selected { background: $tab_selected_bg; color: $tab_selected_text; $tab_selected_extra }
QTabBar::tab:hover:!selected { background: $tab_hover_bg; }
QTabBar::tab:disabled { color: $disabled_text; }

/* Frames and groups */
QGroupBox {
  background: $group_bg;
  border: 1px solid $group_border;
  border-radius: $pane_radius;
  margin-top: 12px;
  padding: 10px 6px 6px 6px;
}
QGroupBox::title {
  subcontrol-origin: margin;
  subcontrol-position: top left;
  left: 9px;
  padding: 0 3px;
  color: $group_title;
  font-weight: bold;
}
QFrame[frameShape="4"], QFrame[frameShape="5"] { color: $separator; }

/* Lists and text */
QListView, QListWidget, QTreeView, QTreeWidget, QTableView, QTableWidget, QTextEdit, QPlainTextEdit {
  background: $list_bg;
  color: $list_text;
  alternate-background-color: $list_alt_bg;
  border: 1px solid $frame_border;
  border-radius: $small_radius;
  selection-background-color: $select_bg_flat;
  selection-color: $select_text;
}
QListView::item:selected, QTreeView::item:selected, QTableView::item:selected {
  background: $select_bg;
  color: $select_text;
}
QListView::item:hover:!selected, QTreeView::item:hover:!selected { background: $list_hover_bg; }
QListView:disabled, QTreeView:disabled, QTableView:disabled { color: $disabled_text; }
QHeaderView::section {
  background: $header_bg;
  color: $text;
  border: none;
  border-right: 1px solid $frame_border;
  border-bottom: 1px solid $frame_border;
  padding: 3px 6px;
}
QLineEdit, QComboBox, QSpinBox, QDoubleSpinBox, QDateEdit, QTimeEdit, QDateTimeEdit, QKeySequenceEdit {
  background: $input_bg;
  color: $list_text;
  border: 1px solid $input_border;
  border-radius: $small_radius;
  padding: 2px 4px;
  min-height: 17px;
  selection-background-color: $select_bg_flat;
  selection-color: $select_text;
}
QLineEdit:focus, QComboBox:focus, QSpinBox:focus, QDoubleSpinBox:focus, QDateEdit:focus,
QTimeEdit:focus, QDateTimeEdit:focus {
  border-color: $focus_border;
}
QLineEdit:disabled, QComboBox:disabled, QSpinBox:disabled, QDateEdit:disabled, QTimeEdit:disabled {
  background: $disabled_bg;
  color: $disabled_text;
  border-color: $disabled_border;
}
/* A sheet that styles a box's frame draws its buttons and arrows as well. */
QComboBox::drop-down, QDateTimeEdit::drop-down {
  subcontrol-origin: padding;
  subcontrol-position: center right;
  width: 18px;
  border: none;
  border-left: 1px solid $input_border;
  background: $button_bg;
}
QSpinBox::up-button, QDoubleSpinBox::up-button, QDateTimeEdit::up-button,
QSpinBox::down-button, QDoubleSpinBox::down-button, QDateTimeEdit::down-button {
  subcontrol-origin: padding;
  width: 16px;
  border: none;
  border-left: 1px solid $input_border;
  background: $button_bg;
}
QSpinBox::up-button, QDoubleSpinBox::up-button, QDateTimeEdit::up-button {
  subcontrol-position: top right;
  border-bottom: 1px solid $input_border;
}
QSpinBox::down-button, QDoubleSpinBox::down-button, QDateTimeEdit::down-button { subcontrol-position: bottom right; }
QComboBox::drop-down:hover, QDateTimeEdit::drop-down:hover, QSpinBox::up-button:hover,
QDoubleSpinBox::up-button:hover, QDateTimeEdit::up-button:hover, QSpinBox::down-button:hover,
QDoubleSpinBox::down-button:hover, QDateTimeEdit::down-button:hover {
  background: $button_hover_bg;
}
QComboBox::drop-down:disabled, QDateTimeEdit::drop-down:disabled, QSpinBox::up-button:disabled,
QDoubleSpinBox::up-button:disabled, QDateTimeEdit::up-button:disabled, QSpinBox::down-button:disabled,
QDoubleSpinBox::down-button:disabled, QDateTimeEdit::down-button:disabled {
  background: $disabled_bg;
  border-color: $disabled_border;
}
QComboBox::down-arrow, QDateTimeEdit::down-arrow, QSpinBox::down-arrow, QDoubleSpinBox::down-arrow {
  image: url($arrows-down.png);
  width: 9px;
  height: 6px;
}
QSpinBox::up-arrow, QDoubleSpinBox::up-arrow, QDateTimeEdit::up-arrow {
  image: url($arrows-up.png);
  width: 9px;
  height: 6px;
}
QComboBox::down-arrow:disabled, QDateTimeEdit::down-arrow:disabled, QSpinBox::down-arrow:disabled,
QDoubleSpinBox::down-arrow:disabled {
  image: url($arrows-down-disabled.png);
}
QSpinBox::up-arrow:disabled, QDoubleSpinBox::up-arrow:disabled, QDateTimeEdit::up-arrow:disabled {
  image: url($arrows-up-disabled.png);
}
/* The date picker's month bar, in the tool bar's colours. */
QCalendarWidget QWidget#qt_calendar_navigationbar {
  background: $toolbar_bg;
  border-bottom: 1px solid $toolbar_border;
}
QCalendarWidget QToolButton { color: $toolbar_text; font-weight: bold; }
QCalendarWidget QToolButton:hover { color: $hover_text; }
QCalendarWidget QToolButton::menu-indicator { image: none; width: 0px; }
QCalendarWidget QToolButton#qt_calendar_prevmonth { qproperty-icon: url($arrows-left.png); }
QCalendarWidget QToolButton#qt_calendar_nextmonth { qproperty-icon: url($arrows-right.png); }
QCalendarWidget QAbstractItemView:enabled {
  selection-background-color: $select_bg_flat;
  selection-color: $select_text;
}
/* An editable box's own field sits inside the box's frame. */
QComboBox QLineEdit { border: none; border-radius: 0px; padding: 0px; background: transparent; }
QComboBox QAbstractItemView {
  background: $menu_bg;
  border: 1px solid $menu_border;
  selection-background-color: $select_bg_flat;
  selection-color: $select_text;
}

/* Scroll bars */
QScrollBar:vertical { background: $scroll_groove; width: 14px; margin: 0; border: none; }
QScrollBar:horizontal { background: $scroll_groove; height: 14px; margin: 0; border: none; }
QScrollBar::handle:vertical, QScrollBar::handle:horizontal {
  background: $scroll_handle;
  border: 1px solid $scroll_handle_border;
  border-radius: $scroll_radius;
  margin: 2px;
}
QScrollBar::handle:vertical { min-height: 28px; }
QScrollBar::handle:horizontal { min-width: 28px; }
QScrollBar::handle:hover { background: $scroll_handle_hover; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }

/* Sliders, progress, status, tips */
QSlider::groove:horizontal { height: 4px; background: $scroll_groove; border: 1px solid $frame_border; border-radius: 2px; }
QSlider::handle:horizontal {
  background: $button_bg;
  border: 1px solid $button_border;
  width: 14px;
  margin: -6px 0;
  border-radius: 7px;
}
QSlider::handle:horizontal:hover { border-color: $hover_border; }
QProgressBar { background: $input_bg; border: 1px solid $frame_border; border-radius: $small_radius; text-align: center; }
QProgressBar::chunk { background: $select_bg; border-radius: $small_radius; }
QStatusBar { background: $toolbar_bg; color: $text; border-top: 1px solid $toolbar_border; }
QToolTip {
  background: $tip_bg;
  color: $tip_text;
  border: 1px solid $tip_border;
  padding: 3px 5px;
}
""")


def grad(*stops, horizontal=False):
    x2, y2 = (1, 0) if horizontal else (0, 1)
    n = ", ".join(f"stop:{p} {c}" for p, c in stops)
    return f"qlineargradient(x1:0, y1:0, x2:{x2}, y2:{y2}, {n})"


COMMON_TAB = ("border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px; "
              "margin-right: 2px; margin-top: 2px;")

SKINS = {
    "Office2007 Blue": dict(
        window_bg=grad((0, "#e4eefb"), (1, "#cadcf3")),
        text="#15305a",
        disabled_text="#8a9bb5",
        menubar_bg=grad((0, "#e3edfa"), (0.5, "#d4e3f7"), (0.51, "#c4d7f2"), (1, "#d0e1f6")),
        menubar_text="#15428b",
        menubar_border="#8db2e3",
        hover_bg=grad((0, "#fff9dd"), (0.4, "#ffe9a8"), (0.41, "#ffd86b"), (1, "#ffe69e")),
        hover_text="#15305a",
        hover_border="#dbb55c",
        pressed_bg=grad((0, "#f9c27a"), (0.4, "#fbb25e"), (0.41, "#f89e3a"), (1, "#fcc878")),
        pressed_hover_bg=grad((0, "#fbd096"), (1, "#fab159")),
        pressed_border="#c28a30",
        pressed_text="#15305a",
        menu_bg="#fafcff",
        menu_border="#869bbf",
        menu_radius="0px",
        small_radius="3px",
        select_bg=grad((0, "#fff6d2"), (1, "#ffdd82")),
        select_bg_flat="#ffe08e",
        select_text="#15305a",
        select_border="#e5bd5f",
        separator="#a9c2e6",
        toolbar_bg=grad((0, "#dde9f8"), (0.5, "#cfe0f5"), (0.51, "#c0d5f0"), (1, "#d3e3f7")),
        toolbar_border="#8db2e3",
        button_bg=grad((0, "#ffffff"), (0.45, "#eef4fc"), (0.46, "#dce8f8"), (1, "#e8f0fb")),
        button_text="#15305a",
        button_border="#7c9dc8",
        button_radius="3px",
        button_hover_bg=grad((0, "#fff9dd"), (0.45, "#ffe9a8"), (0.46, "#ffd86b"), (1, "#ffe69e")),
        button_hover_text="#15305a",
        default_border="#3d6fb6",
        default_extra="",
        default_hover_bg=grad((0, "#fff9dd"), (1, "#ffd86b")),
        disabled_bg="#e9eff8",
        disabled_border="#b5c7e0",
        pane_bg="#f4f8fd",
        frame_border="#8db2e3",
        pane_radius="3px",
        tabbar_position="left: 6px;",
        tab_bg=grad((0, "#e6eefa"), (1, "#cbdcf3")),
        tab_shape=COMMON_TAB,
        tab_selected_bg="#f4f8fd",
        tab_selected_text="#15428b",
        tab_selected_extra="margin-top: 0px;",
        tab_hover_bg=grad((0, "#fffbe8"), (1, "#ffe7a0")),
        group_bg="transparent",
        group_border="#a3bde3",
        group_title="#15428b",
        list_bg="#ffffff",
        list_text="#111111",
        list_alt_bg="#f2f7fd",
        list_hover_bg="#fff5d6",
        header_bg=grad((0, "#f5f9fe"), (1, "#d7e5f7")),
        input_bg="#ffffff",
        input_border="#abc1de",
        focus_border="#e3a21a",
        scroll_groove="#e3ecf9",
        scroll_handle=grad((0, "#e6effb"), (0.5, "#d3e2f6"), (0.51, "#c1d5f1"), (1, "#d2e2f6"), horizontal=True),
        scroll_handle_border="#91afd8",
        scroll_handle_hover=grad((0, "#fff5d6"), (1, "#ffd97c"), horizontal=True),
        scroll_radius="3px",
        tip_bg=grad((0, "#ffffff"), (1, "#e4edf9")),
        tip_text="#15305a",
        tip_border="#767676",
    ),
    "Shine": dict(
        # Glossy graphite chrome with a cyan glow; the pages stay light.
        window_bg=grad((0, "#f5f6f8"), (1, "#e1e4e8")),
        text="#1b1e23",
        disabled_text="#9aa1aa",
        menubar_bg=grad((0, "#4d535c"), (0.48, "#2e3239"), (0.5, "#1c1f24"), (1, "#262a30")),
        menubar_text="#eef3f8",
        menubar_border="#0c0e11",
        hover_bg=grad((0, "#6fdbff"), (0.48, "#22b4ee"), (0.5, "#0798d3"), (1, "#2cbcf2")),
        hover_text="#ffffff",
        hover_border="#0a86bd",
        pressed_bg=grad((0, "#08729f"), (0.5, "#0b8cc2"), (0.51, "#0a7fb2"), (1, "#1ca5dc")),
        pressed_hover_bg=grad((0, "#0b82b4"), (1, "#24b0e8")),
        pressed_border="#05557a",
        pressed_text="#ffffff",
        menu_bg="#fbfcfd",
        menu_border="#2c3037",
        menu_radius="3px",
        small_radius="3px",
        select_bg=grad((0, "#6fdbff"), (0.48, "#22b4ee"), (0.5, "#0798d3"), (1, "#2cbcf2")),
        select_bg_flat="#1aa7e0",
        select_text="#ffffff",
        select_border="#0a86bd",
        separator="#c7ccd3",
        toolbar_bg=grad((0, "#40464f"), (0.48, "#292d33"), (0.5, "#17191d"), (1, "#202328")),
        toolbar_border="#000000",
        toolbar_text="#e6ebf0",
        band_bg=grad((0, "#40464f"), (0.48, "#292d33"), (0.5, "#17191d"), (1, "#202328")),
        band_text="#ffffff",
        button_bg=grad((0, "#ffffff"), (0.49, "#eceef1"), (0.5, "#d7dbe0"), (1, "#e7eaee")),
        button_text="#1b1e23",
        button_border="#7d858f",
        button_radius="3px",
        button_hover_bg=grad((0, "#eafaff"), (0.49, "#c9eefd"), (0.5, "#a3e0f9"), (1, "#cdf0fd")),
        button_hover_text="#06324a",
        default_border="#0a86bd",
        default_extra="",
        default_hover_bg=grad((0, "#eafaff"), (1, "#a3e0f9")),
        disabled_bg="#eef0f2",
        disabled_border="#c4c9cf",
        pane_bg="#fbfbfc",
        frame_border="#9aa2ac",
        pane_radius="3px",
        tabbar_position="left: 6px;",
        tab_bg=grad((0, "#ffffff"), (0.49, "#eceef1"), (0.5, "#dadee3"), (1, "#e6e9ed")),
        tab_shape=COMMON_TAB,
        tab_selected_bg="#fbfbfc",
        tab_selected_text="#0a7fb5",
        tab_selected_extra="margin-top: 0px; border-top: 3px solid #1fb0ea;",
        tab_hover_bg=grad((0, "#eafaff"), (1, "#bfe9fb")),
        group_bg="rgba(255, 255, 255, 160)",
        group_border="#b9c0c8",
        group_title="#0a7fb5",
        list_bg="#ffffff",
        list_text="#111111",
        list_alt_bg="#f4f6f8",
        list_hover_bg="#e3f6fe",
        header_bg=grad((0, "#ffffff"), (0.5, "#eef0f2"), (0.51, "#e1e4e8"), (1, "#eceef1")),
        input_bg="#ffffff",
        input_border="#9aa2ac",
        focus_border="#1fb0ea",
        scroll_groove="#e9ebee",
        scroll_handle=grad((0, "#5a6069"), (0.5, "#3a3f46"), (1, "#4a5058"), horizontal=True),
        scroll_handle_border="#2a2e34",
        scroll_handle_hover=grad((0, "#22b4ee"), (1, "#0798d3"), horizontal=True),
        scroll_radius="5px",
        tip_bg="#23272d",
        tip_text="#eef3f8",
        tip_border="#0a86bd",
    ),
    "Beijing": dict(
        window_bg=grad((0, "#fbf4e4"), (1, "#f0dfbd")),
        text="#3b1a0e",
        disabled_text="#a89a80",
        menubar_bg=grad((0, "#cf3139"), (0.5, "#b01f27"), (0.51, "#9b141b"), (1, "#a81a21")),
        menubar_text="#ffe7a3",
        menubar_border="#6f0a0f",
        hover_bg=grad((0, "#ffeab0"), (1, "#e7b84c")),
        hover_text="#5a0c10",
        hover_border="#b8860b",
        pressed_bg=grad((0, "#e1ad43"), (1, "#f3cf78")),
        pressed_hover_bg=grad((0, "#ecc262"), (1, "#d9a236")),
        pressed_border="#9a6e12",
        pressed_text="#5a0c10",
        menu_bg="#fffaf0",
        menu_border="#9b141b",
        menu_radius="0px",
        small_radius="3px",
        select_bg=grad((0, "#c9282f"), (1, "#9e171d")),
        select_bg_flat="#b31f26",
        select_text="#fff3cc",
        select_border="#7d0f14",
        separator="#d8b56a",
        toolbar_bg=grad((0, "#fbecc4"), (1, "#ebd08f")),
        toolbar_border="#b8862a",
        band_bg=grad((0, "#cf3139"), (0.5, "#b01f27"), (0.51, "#9b141b"), (1, "#a81a21")),
        band_text="#ffe7a3",
        button_bg=grad((0, "#fffaea"), (0.5, "#f8e8bd"), (0.51, "#f0d89e"), (1, "#f6e3b0")),
        button_text="#4a1409",
        button_border="#b5862a",
        button_radius="3px",
        button_hover_bg=grad((0, "#fff4d2"), (1, "#f2cf7e")),
        button_hover_text="#5a0c10",
        default_border="#b01f27",
        default_extra="",
        default_hover_bg=grad((0, "#fff4d2"), (1, "#f2cf7e")),
        disabled_bg="#f3e9d3",
        disabled_border="#d6c29a",
        pane_bg="#fffaf0",
        frame_border="#c9a45a",
        pane_radius="2px",
        tabbar_position="left: 6px;",
        tab_bg=grad((0, "#f6e5bb"), (1, "#e8cf93")),
        tab_shape=COMMON_TAB,
        tab_selected_bg="#fffaf0",
        tab_selected_text="#9b141b",
        tab_selected_extra="margin-top: 0px; border-top: 3px solid #b01f27;",
        tab_hover_bg=grad((0, "#fff4d2"), (1, "#f2d88f")),
        group_bg="transparent",
        group_border="#cfa75a",
        group_title="#9b141b",
        list_bg="#fffdf7",
        list_text="#2b1208",
        list_alt_bg="#fbf3e2",
        list_hover_bg="#fbe9c0",
        header_bg=grad((0, "#fbecc4"), (1, "#ebd08f")),
        input_bg="#fffdf7",
        input_border="#c9a45a",
        focus_border="#b01f27",
        scroll_groove="#f2e4c4",
        scroll_handle=grad((0, "#e9c77c"), (0.5, "#d8ad55"), (1, "#e2bc6a"), horizontal=True),
        scroll_handle_border="#a87b22",
        scroll_handle_hover=grad((0, "#d6464c"), (1, "#b01f27"), horizontal=True),
        scroll_radius="3px",
        tip_bg="#fff6dc",
        tip_text="#3b1a0e",
        tip_border="#9b141b",
    ),
    "Office2010 Blue": dict(
        # Flat: a deep blue band over white pages, square corners, thin lines.
        window_bg="#f3f5f8",
        text="#262626",
        disabled_text="#9a9a9a",
        menubar_bg="#2b579a",
        menubar_text="#ffffff",
        menubar_border="#1e3f70",
        menubar_hover_bg="#4472b8",
        menubar_hover_text="#ffffff",
        hover_bg="#dbe8f7",
        hover_text="#1a1a1a",
        hover_border="#9cbbe3",
        pressed_bg="#c2d9f3",
        pressed_hover_bg="#b3cfef",
        pressed_border="#6a98d4",
        pressed_text="#1a1a1a",
        menu_bg="#ffffff",
        menu_border="#a9b8cc",
        menu_radius="0px",
        small_radius="0px",
        select_bg="#dbe8f7",
        select_bg_flat="#cde0f5",
        select_text="#1a1a1a",
        select_border="#9cbbe3",
        separator="#d5dce6",
        toolbar_bg="#ffffff",
        toolbar_border="#c6cfdb",
        band_bg="#ffffff",
        band_text="#2b579a",
        button_bg="#fdfdfd",
        button_text="#262626",
        button_border="#acacac",
        button_radius="0px",
        button_hover_bg="#e5f1fb",
        button_hover_text="#1a1a1a",
        default_border="#2b579a",
        default_extra="",
        default_hover_bg="#e5f1fb",
        disabled_bg="#f4f4f4",
        disabled_border="#d2d2d2",
        pane_bg="#ffffff",
        frame_border="#c6cfdb",
        pane_radius="0px",
        tabbar_position="left: 0px;",
        tab_bg="#f3f5f8",
        tab_shape="border-bottom: none; margin-right: 0px; margin-top: 3px; padding: 5px 18px;",
        tab_selected_bg="#ffffff",
        tab_selected_text="#2b579a",
        tab_selected_extra="margin-top: 0px; border-top: 3px solid #2b579a;",
        tab_hover_bg="#e5f1fb",
        group_bg="transparent",
        group_border="#d5dce6",
        group_title="#2b579a",
        list_bg="#ffffff",
        list_text="#111111",
        list_alt_bg="#f7f9fb",
        list_hover_bg="#eef5fc",
        header_bg="#f7f9fb",
        input_bg="#ffffff",
        input_border="#acacac",
        focus_border="#2b579a",
        scroll_groove="#f0f0f0",
        scroll_handle="#c8c8c8",
        scroll_handle_border="#c8c8c8",
        scroll_handle_hover="#a6a6a6",
        scroll_radius="0px",
        tip_bg="#ffffff",
        tip_text="#262626",
        tip_border="#767676",
    ),
    "MacOS2": dict(
        window_bg=grad((0, "#f2f2f2"), (1, "#e2e2e2")),
        text="#1d1d1f",
        disabled_text="#a3a3a8",
        menubar_bg=grad((0, "#fdfdfd"), (1, "#e6e6e6")),
        menubar_text="#1d1d1f",
        menubar_border="#a9a9a9",
        hover_bg=grad((0, "#5aa2f7"), (1, "#2b72de")),
        hover_text="#ffffff",
        hover_border="#2a64c4",
        pressed_bg=grad((0, "#cfcfcf"), (1, "#e2e2e2")),
        pressed_hover_bg=grad((0, "#c4c4c4"), (1, "#d8d8d8")),
        pressed_border="#8e8e8e",
        pressed_text="#1d1d1f",
        menu_bg="#f9f9f9",
        menu_border="#b9b9b9",
        menu_radius="6px",
        small_radius="4px",
        select_bg=grad((0, "#5aa2f7"), (1, "#2b72de")),
        select_bg_flat="#3d86ea",
        select_text="#ffffff",
        select_border="#2a64c4",
        separator="#cfcfcf",
        # Brushed aluminium under a lighter menu bar.
        toolbar_bg=grad((0, "#e9e9e9"), (0.5, "#d3d3d3"), (1, "#bdbdbd")),
        toolbar_border="#8c8c8c",
        band_bg=grad((0, "#f7f7f7"), (1, "#d6d6d6")),
        button_bg=grad((0, "#ffffff"), (1, "#e9e9e9")),
        button_text="#1d1d1f",
        button_border="#a6a6a6",
        button_radius="10px",
        button_hover_bg=grad((0, "#ffffff"), (1, "#f2f2f2")),
        button_hover_text="#1d1d1f",
        default_border="#2a6bd1",
        default_extra=("background: " + grad((0, "#7dbbfb"), (0.5, "#4a97f2"), (0.51, "#3786ec"), (1, "#5aa4f7"))
                       + "; color: #ffffff;"),
        default_hover_bg=grad((0, "#8ec5fc"), (1, "#4593ef")),
        disabled_bg="#f1f1f1",
        disabled_border="#cdcdcd",
        pane_bg="#e9e9e9",
        frame_border="#b3b3b3",
        pane_radius="6px",
        tabbar_position="alignment: center;",
        tab_bg=grad((0, "#ffffff"), (1, "#e6e6e6")),
        tab_shape="border-radius: 0px; padding: 4px 18px; margin-bottom: -1px;",
        tab_selected_bg=grad((0, "#7dbbfb"), (0.5, "#4a97f2"), (0.51, "#3786ec"), (1, "#5aa4f7")),
        tab_selected_text="#ffffff",
        tab_selected_extra="border-color: #2a6bd1;",
        tab_hover_bg=grad((0, "#ffffff"), (1, "#f0f0f0")),
        group_bg="rgba(0, 0, 0, 10)",
        group_border="#c6c6c6",
        group_title="#3a3a3c",
        list_bg="#ffffff",
        list_text="#1d1d1f",
        list_alt_bg="#f3f6fa",
        list_hover_bg="#eef4fd",
        header_bg=grad((0, "#fdfdfd"), (1, "#e4e4e4")),
        input_bg="#ffffff",
        input_border="#b3b3b3",
        focus_border="#5b9cf0",
        scroll_groove="transparent",
        scroll_handle="#bdbdbd",
        scroll_handle_border="#a9a9a9",
        scroll_handle_hover="#8f8f8f",
        scroll_radius="5px",
        tip_bg="#fdfdd0",
        tip_text="#1d1d1f",
        tip_border="#a9a9a9",
    ),
}

EXTRA = {
    # Segmented tabs: the outer ends rounded.
    "MacOS2": """
QTabBar::tab:first { border-top-left-radius: 6px; border-bottom-left-radius: 6px; }
QTabBar::tab:last { border-top-right-radius: 6px; border-bottom-right-radius: 6px; }
QTabBar::tab:only-one { border-radius: 6px; }
QTabBar::tab:!first { border-left: none; }
QTabWidget::pane { top: -12px; padding-top: 14px; }
""",
}


def load_icon_drawing():
    """make-icons.py's supersampling renderer (its name is no module name)."""
    found = importlib.util.spec_from_file_location("make_icons", Path(__file__).resolve().parent / "make-icons.py")
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


def png_bytes(pixels):
    """pixels: rows top to bottom of straight (r, g, b, a) tuples."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in pixels)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# The arrows: of drop-down and spin buttons, a 7 x 4 triangle in a 9 x 6 box
# in the buttons' text colour; of the date picker's month bar, a 5 x 10 one
# in a 16 x 16 icon in the bar's text colour.
ARROWS = {
    "down": (9, 6, ((1, 1), (8, 1), (4.5, 5)), "button_text"),
    "up": (9, 6, ((1, 5), (8, 5), (4.5, 1)), "button_text"),
    "left": (16, 16, ((10.5, 3), (10.5, 13), (5.5, 8)), "toolbar_text"),
    "right": (16, 16, ((5.5, 3), (5.5, 13), (10.5, 8)), "toolbar_text"),
}


def triangle(corners, colour):
    (ax, ay), (bx, by), (cx, cy) = corners
    rgb = tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))

    def side(px, py, qx, qy, x, y):
        return (qx - px) * (y - py) - (qy - py) * (x - px)

    def coverage(x, y):
        d = (side(ax, ay, bx, by, x, y), side(bx, by, cx, cy, x, y), side(cx, cy, ax, ay, x, y))
        inside = all(v >= 0 for v in d) or all(v <= 0 for v in d)
        return rgb + (1.0 if inside else 0.0,)
    return coverage


def slug(name):
    return name.lower().replace(" ", "")


def write_arrows(folder, name, palette, render):
    """Each arrow in its colour and the disabled one, at its size and at twice
    the size (name@2x.png, taken on 2x screens)."""
    folder.mkdir(exist_ok=True)
    for direction, (width, height, corners, colour_key) in ARROWS.items():
        for state, colour in (("", palette[colour_key]), ("-disabled", palette["disabled_text"])):
            for suffix, scale in (("", 1), ("@2x", 2)):
                pixels = render(width, height, triangle(corners, colour), scale)
                (folder / f"{slug(name)}-{direction}{state}{suffix}.png").write_bytes(png_bytes(pixels))


def with_defaults(palette):
    """The keys most skins take from others."""
    p = dict(palette)
    p.setdefault("menubar_hover_bg", p["hover_bg"])
    p.setdefault("menubar_hover_text", p["hover_text"])
    p.setdefault("toolbar_text", p["text"])
    p.setdefault("band_bg", p["toolbar_bg"])
    p.setdefault("band_text", p["text"])
    return p


def main():
    here = Path(__file__).resolve().parent / "Skins"
    render = load_icon_drawing().render
    for name, palette in SKINS.items():
        # "skin:" is the skins folder (the program sets that search path).
        arrows = f"skin:arrows/{slug(name)}"
        text = RULES.substitute(title=name, arrows=arrows, **with_defaults(palette)) + EXTRA.get(name, "")
        (here / f"{name}.qss").write_text(text, encoding="utf-8")
        write_arrows(here / "arrows", name, with_defaults(palette), render)


if __name__ == "__main__":
    main()
