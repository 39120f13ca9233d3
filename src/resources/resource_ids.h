// Resource numbers shared by the resource script and the code.
#pragma once

#define IDS_CLASS_NAME 109
#define IDM_MAIN 109
#define IDA_MAIN 109
#define IDI_MAIN 107
#define IDI_SMALL 108
#define IDB_SPLASH 133

// Menu commands
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define CMD_INVENTORY_FIND 1000
#define CMD_CUSTOMER_FIND 1002
#define CMD_EXIT_PRINT_LOG 1003
#define CMD_INVENTORY_FIND_SKU 1004
#define CMD_SPLIT_PAYMENT 1007
#define CMD_CUSTOMER_ADD 1010
#define CMD_CUSTOMER_AMEND 1012
#define CMD_SERVER 1020
#define CMD_LOG_OFF 1021
#define CMD_TRANSFER_PICTURES 1022
#define CMD_POLE_CONFIGURATION 1023
#define CMD_TILL_CONFIGURATION 1024
#define CMD_CH_PAYMENT 1025
#define CMD_TENDERED 1026
#define CMD_ASSOCIATE_CUSTOMER 1034
#define CMD_PRINT_LOG_DAY 1048
#define CMD_DISPLAY_LOG_TODAY 1055
#define CMD_PRINT_LOG_TODAY 1060
#define CMD_RECEIPTS 1064
#define CMD_ADD_NOTE 1081
#define CMD_INITIALIZE_CONFIGURATION 1098
#define CMD_ADD_DISCOUNT 2409
#define CMD_CUSTOMER_CREDIT 2426
#define CMD_EFT_PAYMENT 2428
#define CMD_CASH 2459
#define CMD_KITCHEN_PRINT 2460
#define CMD_CHANGE_BASKET_TABLE 2462
#define CMD_CALENDAR 3002
#define CMD_HELP_CONTENTS 3005
#define CMD_DISPLAY_PREVIOUS_LOG 3007

// Dialog templates
#define IDD_PLEASE_WAIT 817

// Controls shared by the dialogs
#define IDC_EDIT1 1101
#define IDC_LABEL1 1700
#define IDC_LABEL2 1701

// Bitmaps loaded by number; the main window loads the others by name ("eft",
// "eft2", "cash", "totals", ...), see bitmaps.rc.
#define IDB_TEXT_LOOKUP 134       // indicator of the item box's text-lookup mode
#define IDB_ADD_ITEM_PRESSED 135  // button 2442, pressed
#define IDB_ADD_ITEM 137          // button 2442: add the item or search
#define IDB_PAY_CASH 140          // button 2459: pay by cash
#define IDB_PAY_CASH_PRESSED 141  // button 2459, pressed
#define IDB_TILL_TILE 143
#define IDB_KITCHEN_PRINT 155     // button 2460: print the basket to the kitchen
#define IDB_BASKET_TABLE 156      // button 2462: change basket table
#define IDB_BASKET_BADGE 157      // badge at the top right of the basket panel

// Wave sounds
#define IDW_CUSTOMER_ADDED 149
#define IDW_LINE_REMOVED 150      // a line removed, the basket emptied
#define IDW_TOTALS 151            // totals refreshed, a sale done

// More dialog templates (the others have names: "BASKETBOX", "PESTER", "PICBOX",
// "EDITBOX", "EDIT2BOX", "PRINTDLGBOX", "PASBO2")
#define IDD_ABOUT 103
#define IDD_CALENDAR 822

// More shared controls
#define IDC_EDIT2 1102
#define IDC_GROUP_CAPTION 1103    // "EDIT2BOX": the group box around the edit
#define IDC_LOGON_SPARE 1104      // "PASBO2": a read-only line that stays empty
#define IDC_PROMPT 1600           // "EDITBOX": the prompt text
#define IDC_LABEL3 1702
#define IDC_LABEL4 1703
#define IDC_MONTH_CALENDAR 2409   // template 822

// "BASKETBOX": the buttons of basket tables 1 to 16 (7 and 8 are swapped)
#define IDC_BASKET_TABLE_1 2400
#define IDC_BASKET_TABLE_2 2401
#define IDC_BASKET_TABLE_3 2402
#define IDC_BASKET_TABLE_4 2403
#define IDC_BASKET_TABLE_5 2404
#define IDC_BASKET_TABLE_6 2405
#define IDC_BASKET_TABLE_7 2407
#define IDC_BASKET_TABLE_8 2406
#define IDC_BASKET_TABLE_9 2408
#define IDC_BASKET_TABLE_10 2409
#define IDC_BASKET_TABLE_11 2410
#define IDC_BASKET_TABLE_12 2411
#define IDC_BASKET_TABLE_13 2412
#define IDC_BASKET_TABLE_14 2413
#define IDC_BASKET_TABLE_15 2414
#define IDC_BASKET_TABLE_16 2415

// "PICBOX": the search type and whether to keep it
#define IDC_SEARCH_BY_DESCRIPTION 2600
#define IDC_SEARCH_WITHIN_SKUS 2601
#define IDC_KEEP_SEARCH_TYPE 2800

// "PASBO2": choosing the associate and the password keypad (5 and 6 are swapped)
#define IDC_LOGON_UP 2400
#define IDC_LOGON_DOWN 2401
#define IDC_LOGON_KEY_1 2402
#define IDC_LOGON_KEY_2 2403
#define IDC_LOGON_KEY_3 2404
#define IDC_LOGON_KEY_4 2405
#define IDC_LOGON_KEY_6 2406
#define IDC_LOGON_KEY_5 2407
#define IDC_LOGON_KEY_7 2408
#define IDC_LOGON_KEY_8 2409
#define IDC_LOGON_KEY_9 2410
#define IDC_LOGON_CLEAR 2411
#define IDC_LOGON_KEY_0 2412
#define IDC_LOGON_ERASE 2413

// Buttons and keys of the main window
#define CMD_ADJUST_PRICE 1008
#define CMD_RESET_KEY 1009
#define CMD_F12_KEY 1062
#define CMD_NON_INVENTORY_SALE 2408
#define CMD_OPEN_DRAWER 2410
#define CMD_TRADE_TOGGLE 2413
#define CMD_REMOVE_LINE 2415
#define CMD_REPEAT_LINE 2417
#define CMD_EMPTY_BASKET 2425
#define CMD_WEIGHT 2427
#define CMD_ADD_ITEM 2442
#define CMD_SCROLL_BACK 2453
#define CMD_NEXT_CATEGORY 2454
#define CMD_PREVIOUS_CATEGORY 2455
#define CMD_SCROLL_FORWARDS 2456
#define CMD_REFUND 2458

// "CashBox" and "Split", the payment dialogs: 1101 the typed amount, 1102 the change
// (or what is left for the other method), 1103 the amount due (or the total)
#define IDC_AMOUNT_DUE 1103
#define IDC_EXACT_AMOUNT 2400
#define IDC_TENDER_5 2401
#define IDC_TENDER_10 2402
#define IDC_TENDER_20 2403
#define IDC_SPLIT_CH 2600
#define IDC_SPLIT_EFT 2601

// "Tenbox", the summary after a sale: the three amounts and the document buttons
#define IDC_SUMMARY_TOTAL 1101
#define IDC_SUMMARY_TENDERED 1102
#define IDC_SUMMARY_CHANGE 1103
#define IDC_SUMMARY_INVOICE_2 2401
#define IDC_SUMMARY_EMAIL 2403
#define IDC_SUMMARY_STANDARD_RECEIPT 2405
#define IDC_SUMMARY_INVOICE_1 2406
#define IDC_SUMMARY_CUSTOM_INVOICE 2409
#define IDC_SUMMARY_CUSTOM_RECEIPT 2413
#define IDC_SUMMARY_DELIVERY_NOTE 2419

// The price dialogs. "discount" and "Discoun4": 1101 the typed price (or weight),
// 1102 item number, 1103 description, 1104 cost, 1105 list price, 1106 non taxable,
// 1107 taxable, 1108 tax 1, 1109 tax 2, 1110 total; "Discoun4" also 1111 the price
// before tax. "Discountwo" and "Discoun2": 1101 the discount, 1104 non taxable,
// 1105 taxable, 1106 tax 1, 1107 tax 2, 1108 total, 1112 the amended total.
#define IDC_ITEM_NUMBER 1102
#define IDC_ITEM_DESCRIPTION 1103
#define IDC_ITEM_COST 1104
#define IDC_ITEM_LIST_PRICE 1105
#define IDC_LINE_NON_TAXABLE 1106
#define IDC_LINE_TAXABLE 1107
#define IDC_LINE_TAX1 1108
#define IDC_LINE_TAX2 1109
#define IDC_LINE_TOTAL 1110
#define IDC_PRICE_BEFORE_TAX 1111
#define IDC_AMENDED_TOTAL 1112
#define IDC_ZERO_PRICE 2400
#define IDC_LIST 4200

// "nbox", the non-inventory sale: 1101 description, 1102 price, 1106 nett, 1103 tax 1,
// 1104 tax 2, 1105 total; check boxes 2800 and 2801; price buttons 2400-2405 and 2407;
// category buttons 2408-2411; digits 2412-2420 ("1"-"9") and 2422 ("0"), 2451 ".",
// 2421 the price's DELETE; letters 2424-2449, 2450 SPACE, 2452 the description's DELETE
#define IDC_NONINV_PRICE 1102
#define IDC_NONINV_TAX1 1103
#define IDC_NONINV_TAX2 1104
#define IDC_NONINV_TOTAL 1105
#define IDC_NONINV_NETT 1106
#define IDC_NONINV_TAX1_BOX 2800
#define IDC_NONINV_TAX2_BOX 2801
#define IDC_NONINV_FIRST_CATEGORY 2408
#define IDC_NONINV_PRICE_ERASE 2421
#define IDC_NONINV_ZERO 2422
#define IDC_NONINV_FIRST_LETTER 2424
#define IDC_NONINV_SPACE 2450
#define IDC_NONINV_POINT 2451
#define IDC_NONINV_DESCRIPTION_ERASE 2452

// The device configuration dialogs. "ppr2", the till drawer: 4200 port, 1101 open
// character, 1102 repeat, 1103 control sequence, 2800 open automatically, 2600 and
// 2601 the connection, 4201 the printer model codes.
#define IDC_DRAWER_PORT 4200
#define IDC_DRAWER_CHARACTER 1101
#define IDC_DRAWER_REPEAT 1102
#define IDC_DRAWER_SEQUENCE 1103
#define IDC_DRAWER_AUTO_OPEN 2800
#define IDC_DRAWER_DIRECT 2600
#define IDC_DRAWER_THROUGH_PRINTER 2601
#define IDC_PRINTER_MODEL_CODES 4201
// "ppr4", the pole display: 2800 use, 4200-4204 port, baud rate, parity, data bits and
// stop bits, 1101 and 1102 the columns, 1103-1108 the six pole texts in slot order.
#define IDC_POLE_USE 2800
#define IDC_POLE_PORT 4200
#define IDC_POLE_BAUD 4201
#define IDC_POLE_PARITY 4202
#define IDC_POLE_DATA_BITS 4203
#define IDC_POLE_STOP_BITS 4204
#define IDC_POLE_COLUMNS_1 1101
#define IDC_POLE_COLUMNS_2 1102
#define IDC_POLE_PASSIVE 1103
#define IDC_POLE_PRINTER_ON 1104
#define IDC_POLE_PRINTER_OFF 1105
#define IDC_POLE_CLEAR 1106
#define IDC_POLE_CURSOR_LINE1 1107
#define IDC_POLE_CURSOR_LINE2 1108
#define IDC_POLE_PREVIEW 2400
// "pprs", the receipt printer: the printer lists, the receipt options, check boxes
// 2801-2807 in a row (each sets one switch), the footer and the two logo buttons.
#define IDC_RECEIPT_PRINTER 4200
#define IDC_AUTO_RECEIPT 4201
#define IDC_RECEIPT_FONT 4202
#define IDC_KITCHEN_PRINTER 4203
#define IDC_OMIT_PRINT_CONFIRM 2800
#define IDC_TWO_COPIES 2801
#define IDC_KITCHEN_COPY 2802
#define IDC_ITEMS_CENTRED 2803
#define IDC_INCLUDE_BARCODE 2804
#define IDC_INCLUDE_LOGO 2805
#define IDC_EXCLUSIVE_OF_TAX 2806
#define IDC_SINGLE_LINE_ITEMS 2807
#define IDC_FOOTER 1101
#define IDC_RECEIPT_LOGO 2400
#define IDC_INVOICE_LOGO 2401
// Template 804, FIND CUSTOMER: the found customer, read only; Next below OK and Cancel.
#define IDD_FIND_CUSTOMER 804
#define IDC_FOUND_NUMBER 1101
#define IDC_FOUND_NAME 1102
#define IDC_FOUND_ROAD 1103
#define IDC_FOUND_AREA 1104
#define IDC_FOUND_TOWN 1105
#define IDC_FOUND_POSTCODE 1106
#define IDC_FOUND_TELEPHONE 1107
#define IDC_FOUND_COMMENT 1108
#define IDC_FOUND_CREDIT_CARD 1109
#define IDC_FOUND_TAX_CODE 1110
#define IDC_FOUND_ORIGINATION 1111
#define IDC_FOUND_LAST_USED 1112
#define IDC_FOUND_TRANSACTIONS 1113
#define IDC_FOUND_GROUP 1114
#define IDC_FOUND_CREDIT_LIMIT 1115
#define IDC_FOUND_TOTAL_PURCHASES 1116
#define IDC_FOUND_BALANCE 1117
#define IDC_FOUND_DISCOUNT 1118
#define IDC_FOUND_NOTES 1119
#define IDC_FOUND_NEXT 2400
// Template 803, CUSTOMER: the whole record, read only, and the Map button.
#define IDD_CUSTOMER_VIEW 803
#define IDC_VIEW_NUMBER 1101
#define IDC_VIEW_NAME 1102
#define IDC_VIEW_ROAD 1103
#define IDC_VIEW_AREA 1104
#define IDC_VIEW_TOWN 1105
#define IDC_VIEW_POSTCODE 1106
#define IDC_VIEW_TELEPHONE1 1107
#define IDC_VIEW_EXTENSION 1108
#define IDC_VIEW_TELEPHONE2 1109
#define IDC_VIEW_EMAIL 1110
#define IDC_VIEW_FAX 1111
#define IDC_VIEW_CONTACT 1112
#define IDC_VIEW_TAX_CODE 1113
#define IDC_VIEW_ORIGINATION 1114
#define IDC_VIEW_COMMENT 1115
#define IDC_VIEW_COMMENT2 1116
#define IDC_VIEW_NOTES 1117
#define IDC_VIEW_CARD1 1118
#define IDC_VIEW_CARD1_EXPIRY 1119
#define IDC_VIEW_CARD2 1120
#define IDC_VIEW_CARD2_EXPIRY 1121
#define IDC_VIEW_TRANSACTIONS 1122
#define IDC_VIEW_SHIP_NAME 1123
#define IDC_VIEW_SHIP_ROAD 1124
#define IDC_VIEW_SHIP_AREA 1125
#define IDC_VIEW_SHIP_TOWN 1126
#define IDC_VIEW_SHIP_POSTCODE 1127
#define IDC_VIEW_CREDIT_LIMIT 1128
#define IDC_VIEW_BALANCE 1129
#define IDC_VIEW_TOTAL_PURCHASES 1130
#define IDC_VIEW_GROUP 1131
#define IDC_VIEW_LAST_USED 1132
#define IDC_VIEW_LAST_PAYMENT 1133
#define IDC_VIEW_TERMS 1134
#define IDC_VIEW_MAP 2400
// Template 802, NEW CUSTOMER (also "Amend customer"): every box of the record; the
// Balance box and its label are hidden when amending, and so is Next.
#define IDD_CUSTOMER_FORM 802
#define IDC_FORM_NUMBER 1101
#define IDC_FORM_NAME 1102
#define IDC_FORM_ROAD 1103
#define IDC_FORM_AREA 1104
#define IDC_FORM_TOWN 1105
#define IDC_FORM_POSTCODE 1106
#define IDC_FORM_EMAIL 1107
#define IDC_FORM_TELEPHONE1 1108
#define IDC_FORM_EXTENSION 1109
#define IDC_FORM_TELEPHONE2 1110
#define IDC_FORM_FAX 1111
#define IDC_FORM_CONTACT 1112
#define IDC_FORM_GROUP 1113
#define IDC_FORM_COMMENT 1114
#define IDC_FORM_COMMENT2 1115
#define IDC_FORM_CARD1 1116
#define IDC_FORM_CARD1_EXPIRY 1117
#define IDC_FORM_CARD2 1118
#define IDC_FORM_CARD2_EXPIRY 1119
#define IDC_FORM_BALANCE 1120
#define IDC_FORM_CREDIT_LIMIT 1121
#define IDC_FORM_SHIP_NAME 1122
#define IDC_FORM_SHIP_ROAD 1123
#define IDC_FORM_SHIP_AREA 1124
#define IDC_FORM_SHIP_TOWN 1125
#define IDC_FORM_SHIP_POSTCODE 1126
#define IDC_FORM_NOTES 1127
#define IDC_FORM_TRANSACTIONS 1128
#define IDC_FORM_TOTAL_PURCHASES 1129
#define IDC_FORM_BALANCE_LABEL 1700
#define IDC_FORM_TAX_CODE 4200
#define IDC_FORM_TERMS 4201
#define IDC_FORM_NEXT 2400
// Template 806, "Customer transaction": the sale and the account, read only; Credit is
// the default button.
#define IDD_CUSTOMER_SALE 806
#define IDC_SALE_TRANSACTION 1101
#define IDC_SALE_DATE 1102
#define IDC_SALE_TIME 1103
#define IDC_SALE_CLERK 1104
#define IDC_SALE_SUBTOTAL 1105
#define IDC_SALE_TAX1 1106
#define IDC_SALE_TAX2 1107
#define IDC_SALE_TOTAL 1108
#define IDC_SALE_CUSTOMER 1109
#define IDC_SALE_NAME 1110
#define IDC_SALE_ROAD 1111
#define IDC_SALE_TELEPHONE 1112
#define IDC_SALE_COMMENT 1113
#define IDC_SALE_COMMENT2 1114
#define IDC_SALE_CREDIT_LIMIT 1115
#define IDC_SALE_TAX_CODE 1116
#define IDC_SALE_PREVIOUS_BALANCE 1117
#define IDC_SALE_AMOUNT 1118
#define IDC_SALE_BALANCE 1119
#define IDC_SALE_LAST 1120
#define IDC_SALE_TRANSACTIONS 1121
#define IDC_SALE_NOTES 1122
#define IDC_SALE_KEYBOARD 1700
#define IDC_SALE_CASH 2401
#define IDC_SALE_CHEQUE 2402
#define IDC_SALE_EFT 2403
// Template 807, "Refund": the basket's figures, the two option groups and the receipt box.
#define IDD_REFUND 807
#define IDC_REFUND_TRANSACTION 1101
#define IDC_REFUND_DATE 1102
#define IDC_REFUND_CUSTOMER 1103
#define IDC_REFUND_ITEMS 1104
#define IDC_REFUND_NON_TAXABLE 1105
#define IDC_REFUND_TAXABLE 1106
#define IDC_REFUND_SUBTOTAL 1107
#define IDC_REFUND_TAX1 1108
#define IDC_REFUND_TAX2 1109
#define IDC_REFUND_TOTAL 1110
#define IDC_REFUND_TO_STOCK 2600
#define IDC_REFUND_FAULTY 2601
#define IDC_REFUND_CASH 2602
#define IDC_REFUND_CHEQUE 2603
#define IDC_REFUND_EFT 2604
#define IDC_REFUND_CREDIT 2605
#define IDC_REFUND_PRINT 2800
// Template 818, the "Please select:" list of a text search's matches (customers and
// items); a line starts with the number it stands for.
#define IDD_SELECT_LIST 818
#define IDC_SELECT_LIST 4200
// Template 805, FIND INVENTORY, and template 801, the "Inventory" item view: the boxes
// they share have the same ids; the view's "+" opens the large picture ("SALE8BOX").
#define IDD_FIND_INVENTORY 805
#define IDD_ITEM_VIEW 801
#define IDC_INV_NUMBER 1101
#define IDC_INV_DESCRIPTION 1102
#define IDC_INV_SKU1 1103
#define IDC_INV_SKU2 1104
#define IDC_INV_SKU3 1105
#define IDC_INV_SKU4 1106
#define IDC_INV_COST 1107
#define IDC_INV_PRICE 1108
#define IDC_INV_CATEGORY 1109
#define IDC_INV_IN_STOCK 1110
#define IDC_INV_TAX 1111
#define IDC_INV_DATE_ADDED 1112
#define IDC_INV_TRADE_PRICE 1113
#define IDC_INV_ORDER_CODE 1114
#define IDC_INV_ON_ORDER 1115
#define IDC_INV_ORDER_QUANTITY 1116
#define IDC_INV_MINIMUM_ORDER 1117
#define IDC_INV_RESTOCK_LEVEL 1118
#define IDC_INV_NOTES 1119
#define IDC_INV_DELIVERY 1120
#define IDC_INV_WEIGHT 1121
#define IDC_INV_COMMITTED 1122
#define IDC_INV_DELIVERY_LEAD 1123
#define IDC_INV_LABELS 1124
#define IDC_INV_SOR 1125
#define IDC_INV_NEXT 2400
#define IDC_INV_LARGE_PICTURE 2401
