// The result of the library's class operations.
#pragma once

enum DVB_ERROR {
  DVB_ERR_NONE = 0,       // success
  DVB_ERR_NO_DEVICE = 1,  // no box is open (or the driver refused a reset)
  DVB_ERR_FAILED = 2,     // a driver call, a box query or booting failed
  DVB_ERR_ARGUMENT = 3,   // bad argument, or the box refused the request
  DVB_ERR_DISEQC = 4,     // a DiSEqC message failed on every try
  DVB_ERR_STATE = 5,      // wrong state, or an unexpected answer
  DVB_ERR_REFUSED = 6,    // a stream switch, alternate setting or filter was refused
  DVB_ERR_NO_ANSWER = 7,  // a box command got no usable answer
};
