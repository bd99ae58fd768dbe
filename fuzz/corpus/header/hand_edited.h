/* Board configuration, edited by hand */
#ifndef ZURCFG_H
#define ZURCFG_H
  #define OS_TASKS 9   // indented: not read
#define OS_TASKS	4
#define OS_CSEM_ENABLE 0
#define OS_ENABLE_QUEUE
#define OS_ENABLE_PTIMER
#define OS_QUEUE_SQUEUE_IDENTICAL
#define OS_BANK_BSEMS 2
#define OS_TTIMER_SIZE 3
#define OS_STIMER_SIZE 0x04
#define OS_MSG_TYPE unsigned int /* block */ // line
#define OST_SMSG    struct msg *
#define LED_PORT PORTB enum ZUR_STIMERS_ENUM { ST_A = 1, ST_B };
// PROJECT NAME:  Weather station: v2
//// PLATFORM: Microchip C18, Microchip C30
/* #define OS_ENABLE_ALL
   still a comment */ enum ZUR_ENUM_BSEMS /* tag comment */
  // brace on a later line
{
    BS_ONE, BS_TWO,, // two
    /* comment line */
    BS_THREE = 3  // three
  }; enum colour { RED, GREEN };
typedef enum { X } y;
#endif
