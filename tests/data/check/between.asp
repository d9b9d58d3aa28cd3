<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card>
    <p>One</p>
    <% If ok Then %>
    <p>Two</p>
  </card>
</wml>
